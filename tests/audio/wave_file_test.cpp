// Sound files are read whole at start-up; damaged ones are refused with a reason instead of played.

#include "audio/wave_file.hpp"
#include "tests/support/scratch_dir.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

void put(std::vector<uint8_t>& bytes, const std::string& text)
{
    bytes.insert(bytes.end(), text.begin(), text.end());
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

// A mono 16-bit file with the samples, an odd-sized chunk before the format to be skipped.
std::vector<uint8_t> wave(const std::vector<int16_t>& samples, uint16_t bits = 16)
{
    std::vector<uint8_t> bytes;
    put(bytes, "RIFF");
    put32(bytes, 0); // readers do not trust this size, nor do we
    put(bytes, "WAVE");
    put(bytes, "LIST");
    put32(bytes, 3);
    put(bytes, "abc");
    bytes.push_back(0); // padding to an even size
    put(bytes, "fmt ");
    put32(bytes, 16);
    put16(bytes, 1);
    put16(bytes, 1);
    put32(bytes, 22050);
    put32(bytes, 44100);
    put16(bytes, 2);
    put16(bytes, bits);
    put(bytes, "data");
    put32(bytes, static_cast<uint32_t>(samples.size() * 2));
    for (int16_t s : samples)
        put16(bytes, static_cast<uint16_t>(s));
    return bytes;
}

TEST(WaveFile, ReadsSamplesPastUnknownChunks)
{
    const WaveRead read = parseWave(wave({0, 1000, -32768, 32767}));
    ASSERT_TRUE(read.wave) << read.error;
    EXPECT_EQ(read.wave->sampleRate, 22050);
    EXPECT_EQ(read.wave->channels, 1);
    EXPECT_EQ(read.wave->samples, (std::vector<int16_t>{0, 1000, -32768, 32767}));
}

TEST(WaveFile, DamagedFilesGiveAReasonAndNoSamples)
{
    std::vector<uint8_t> truncated = wave({1, 2, 3, 4});
    truncated.resize(truncated.size() - 3);
    std::vector<uint8_t> hugeChunk = wave({1, 2});
    hugeChunk[16] = 0xff; // the LIST chunk claims far more bytes than there are
    hugeChunk[19] = 0x7f;
    const std::vector<std::vector<uint8_t>> damaged{
        {}, {'R', 'I', 'F', 'F'}, truncated, hugeChunk, wave({1, 2}, 8), wave({})};
    for (const std::vector<uint8_t>& bytes : damaged) {
        const WaveRead read = parseWave(bytes);
        EXPECT_FALSE(read.wave);
        EXPECT_FALSE(read.error.empty());
    }
    EXPECT_FALSE(readWaveFile("/nonexistent/quarvel.wav").wave);
}

// Whatever lies under a sound's name, reading it returns at once: a sound or one reason.
TEST(WaveFile, OnlyRegularFilesOfASoundsSizeAreRead)
{
    namespace fs = std::filesystem;
    ScratchDir dir;
    const std::vector<uint8_t> good = wave({5, 6, 7});
    std::ofstream(dir.file("good.wav"), std::ios::binary).write(reinterpret_cast<const char*>(good.data()),
                                                               static_cast<std::streamsize>(good.size()));
    fs::create_directory(dir.file("folder.wav"));
    ASSERT_EQ(mkfifo(dir.file("pipe.wav").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir.file("zero.wav"));
    fs::create_symlink(dir.file("good.wav"), dir.file("link.wav"));
    fs::create_symlink(dir.file("gone.wav"), dir.file("dangling.wav"));
    fs::copy_file(dir.file("good.wav"), dir.file("huge.wav"));
    fs::resize_file(dir.file("huge.wav"), maxWaveFileBytes + 1); // sparse: costs no disk

    const struct {
        const char* name;
        const char* error; // empty: the three samples are read
    } cases[] = {
        {"good.wav", ""},
        {"link.wav", ""},
        {"folder.wav", "not a regular file"},
        {"pipe.wav", "not a regular file"},
        {"zero.wav", "not a regular file"},
        {"huge.wav", "larger than"},
        {"dangling.wav", "No such file"},
        {"missing.wav", "No such file"},
    };
    for (const auto& c : cases) {
        const WaveRead read = readWaveFile(dir.file(c.name));
        if (*c.error == '\0') {
            ASSERT_TRUE(read.wave) << c.name << ": " << read.error;
            EXPECT_EQ(read.wave->samples, (std::vector<int16_t>{5, 6, 7})) << c.name;
        } else {
            EXPECT_FALSE(read.wave) << c.name;
            EXPECT_NE(read.error.find(c.error), std::string::npos) << c.name << ": " << read.error;
        }
    }
}

} // namespace
