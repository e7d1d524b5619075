#include "wave_writer.hpp"

#include <algorithm>
#include <cmath>
#include <string>

namespace soundgen {

namespace {

constexpr int bytesPerSample = 2;    // 16-bit PCM
constexpr int headerBytes = 44;      // RIFF, fmt and data chunk headers

void put(std::vector<uint8_t>& bytes, const std::string& tag)
{
    bytes.insert(bytes.end(), tag.begin(), tag.end());
}

void put32(std::vector<uint8_t>& bytes, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
}

void put16(std::vector<uint8_t>& bytes, uint16_t value)
{
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

} // namespace

std::vector<uint8_t> encodeWave(const Signal& signal)
{
    const auto dataBytes = static_cast<uint32_t>(signal.size() * bytesPerSample);
    std::vector<uint8_t> bytes;
    bytes.reserve(headerBytes + dataBytes);
    put(bytes, "RIFF");
    put32(bytes, 36 + dataBytes);
    put(bytes, "WAVE");
    put(bytes, "fmt ");
    put32(bytes, 16);                                  // fmt chunk size
    put16(bytes, 1);                                   // PCM
    put16(bytes, 1);                                   // mono
    put32(bytes, sampleRate);
    put32(bytes, sampleRate * bytesPerSample);         // bytes per second
    put16(bytes, bytesPerSample);                      // block align
    put16(bytes, 8 * bytesPerSample);                  // bits per sample
    put(bytes, "data");
    put32(bytes, dataBytes);
    for (float s : signal) {
        const auto value = static_cast<int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
        put16(bytes, static_cast<uint16_t>(value));
    }
    return bytes;
}

} // namespace soundgen
