// The committed sounds are the generator's output, byte for byte, and are mixed for the game: no clipping,
// loops without a seam, the ambience well under the effects, small enough to load at start-up.

#include "audio/sound_catalogue.hpp"
#include "audio/wave_file.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/temp_file.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const fs::path committed = fs::path(sourceDir()) / soundFolder;

constexpr double highestPeak = -1.0;           // dBFS: headroom for resampling and mixing
constexpr double ambienceUnderEffects = 12.0;  // dB from the ambience's peak up to the quietest effect's
constexpr std::uintmax_t totalBudget = 2 * 1024 * 1024; // bytes

double decibels(double level)
{
    return 20.0 * std::log10(std::max(level, 1e-9));
}

WaveData load(SoundId sound)
{
    const WaveRead read = readWaveFile((committed / soundFileName(sound)).string());
    EXPECT_TRUE(read.wave.has_value()) << soundFileName(sound) << ": " << read.error;
    return read.wave.value_or(WaveData{});
}

double peakOf(const WaveData& wave)
{
    int peak = 0;
    for (int16_t s : wave.samples)
        peak = std::max(peak, std::abs(int(s)));
    return decibels(peak / 32768.0);
}

TEST(SoundFiles, GeneratorReproducesTheCommittedFilesByteForByte)
{
    const fs::path out = fs::temp_directory_path() / ("quarvel_soundgen_" + std::to_string(::getpid()));
    const ProgramResult run = runProgram(QUARVEL_SOUNDGEN, {out.string()}, sourceDir(), {}, 120);
    ASSERT_EQ(run.status, 0) << run.err;
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(committed)) {
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(readWholeFile(entry.path().string()), readWholeFile((out / name).string())) << name;
        ++files;
    }
    EXPECT_EQ(files, soundCount);
    fs::remove_all(out);
}

TEST(SoundFiles, LevelsLeaveHeadroomAndKeepTheAmbienceQuiet)
{
    std::uintmax_t bytes = 0;
    for (std::size_t i = 0; i < soundCount; ++i) {
        const auto sound = static_cast<SoundId>(i);
        const WaveData wave = load(sound);
        bytes += fs::file_size(committed / soundFileName(sound));
        EXPECT_LT(peakOf(wave), highestPeak) << soundFileName(sound);
        EXPECT_EQ(wave.channels, 1) << soundFileName(sound) << " must be mono to be placed in the world";
    }
    EXPECT_LT(bytes, totalBudget);

    // As played: the file's peak lowered by the gain the game gives it.
    double quietestEffect = peakOf(load(SoundId::Gnaw)) + decibels(gnawGain);
    for (int what = 0; what <= static_cast<int>(Happening::Resumed); ++what)
        for (const Voice& voice : voicesFor(SoundEvent{static_cast<Happening>(what)}))
            quietestEffect = std::min(quietestEffect, peakOf(load(voice.sound)) + decibels(voice.gain));
    EXPECT_LT(peakOf(load(SoundId::Forest)) + decibels(forestGain), quietestEffect - ambienceUnderEffects);
}

TEST(SoundFiles, LoopsJoinWithoutAClick)
{
    for (SoundId loop : {SoundId::Forest, SoundId::Gnaw}) {
        const WaveData wave = load(loop);
        ASSERT_GT(wave.samples.size(), 2u);
        // The jump from the last sample back to the first is no bigger than steps inside the sound.
        int largestStep = 0;
        for (std::size_t i = 1; i < wave.samples.size(); ++i)
            largestStep = std::max(largestStep, std::abs(wave.samples[i] - wave.samples[i - 1]));
        EXPECT_LE(std::abs(wave.samples.front() - wave.samples.back()), largestStep) << soundFileName(loop);
    }
}

} // namespace
