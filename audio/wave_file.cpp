#include "audio/wave_file.hpp"

#include "platform/regular_file.hpp"

#include <cstring>

namespace {

constexpr std::size_t chunkHeaderBytes = 8; // four-letter tag and 32-bit size
constexpr std::size_t formatBytes = 16;     // the PCM part of a fmt chunk
constexpr int pcmFormat = 1;
constexpr int bitsPerSample = 16;
constexpr int maxChannels = 2;
constexpr int maxSampleRate = 192000; // Hz

uint32_t read32(const std::vector<uint8_t>& bytes, std::size_t at)
{
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
           uint32_t(bytes[at + 3]) << 24;
}

uint16_t read16(const std::vector<uint8_t>& bytes, std::size_t at)
{
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

bool tagAt(const std::vector<uint8_t>& bytes, std::size_t at, const char* tag)
{
    return std::memcmp(bytes.data() + at, tag, 4) == 0;
}

WaveRead failure(std::string error)
{
    return {std::nullopt, std::move(error)};
}

// Fills rate and channels from a fmt chunk; false with the reason in error when it is not ours.
bool readFormat(const std::vector<uint8_t>& bytes, std::size_t at, std::size_t size, WaveData& wave,
                std::string& error)
{
    if (size < formatBytes) {
        error = "format chunk too short";
        return false;
    }
    const int format = read16(bytes, at);
    wave.channels = read16(bytes, at + 2);
    wave.sampleRate = static_cast<int>(read32(bytes, at + 4));
    const int bits = read16(bytes, at + 14);
    if (format != pcmFormat || bits != bitsPerSample)
        error = "not 16-bit PCM";
    else if (wave.channels < 1 || wave.channels > maxChannels)
        error = "not mono or stereo";
    else if (wave.sampleRate <= 0 || wave.sampleRate > maxSampleRate)
        error = "implausible sample rate";
    return error.empty();
}

} // namespace

WaveRead parseWave(const std::vector<uint8_t>& bytes)
{
    if (bytes.size() < 12 || !tagAt(bytes, 0, "RIFF") || !tagAt(bytes, 8, "WAVE"))
        return failure("not a RIFF/WAVE file");
    WaveData wave;
    bool haveFormat = false;
    std::string error;
    for (std::size_t at = 12; at + chunkHeaderBytes <= bytes.size();) {
        const std::size_t size = read32(bytes, at + 4);
        const std::size_t body = at + chunkHeaderBytes;
        if (size > bytes.size() - body)
            return failure("chunk runs past the end of the file");
        if (tagAt(bytes, at, "fmt ")) {
            if (!readFormat(bytes, body, size, wave, error))
                return failure(error);
            haveFormat = true;
        } else if (tagAt(bytes, at, "data")) {
            if (!haveFormat)
                return failure("data before format");
            if (size < 2 || size % (2 * static_cast<std::size_t>(wave.channels)) != 0)
                return failure("empty or ragged data chunk");
            wave.samples.resize(size / 2);
            for (std::size_t i = 0; i < wave.samples.size(); ++i)
                wave.samples[i] = static_cast<int16_t>(read16(bytes, body + 2 * i));
            return {std::move(wave), {}};
        }
        at = body + size + (size & 1); // chunks are padded to even sizes
    }
    return failure("no data chunk");
}

WaveRead readWaveFile(const std::string& path)
{
    std::string error;
    const std::optional<std::string> bytes = RegularFile::read(path, maxWaveFileBytes, error);
    if (!bytes)
        return failure(error);
    return parseWave(std::vector<uint8_t>(bytes->begin(), bytes->end()));
}
