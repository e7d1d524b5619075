// The real game heard through OpenAL's wave-file backend: a stone dropped with Space lands with a burst of
// sound over the ambience, M silences the next landing, and without any device the game plays on silently.

#include "tests/e2e/game_test.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/temp_file.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr double windowSeconds = 0.05;
constexpr double burstOverAmbience = 4.0; // RMS ratio of the loudest window at a landing to the ambience
constexpr float silence = 1e-4f;          // largest sample of a muted recording

// What OpenAL's wave writer has written so far: float or 16-bit samples, channels interleaved.
class Recording {
public:
    explicit Recording(const std::string& path) : bytes_(readWholeFile(path)) { parseHeader(); }

    bool valid() const { return dataStart_ > 0 && rate_ > 0 && channels_ > 0; }
    int rate() const { return rate_; }
    // Frame index of a file size taken while the game was writing.
    std::size_t frameAt(std::uintmax_t fileSize) const
    {
        return fileSize > dataStart_ ? (fileSize - dataStart_) / frameBytes() : 0;
    }
    std::size_t frames() const { return frameAt(bytes_.size()); }
    double bytesPerSecond() const { return double(rate_) * double(frameBytes()); }

    // Root mean square over the frames [from, to), all channels.
    double rms(std::size_t from, std::size_t to) const
    {
        double sum = 0.0;
        std::size_t count = 0;
        for (std::size_t f = from; f < std::min(to, frames()); ++f)
            for (int c = 0; c < channels_; ++c, ++count)
                sum += double(sample(f, c)) * sample(f, c);
        return count > 0 ? std::sqrt(sum / double(count)) : 0.0;
    }
    float peak(std::size_t from, std::size_t to) const
    {
        float largest = 0.0f;
        for (std::size_t f = from; f < std::min(to, frames()); ++f)
            for (int c = 0; c < channels_; ++c)
                largest = std::max(largest, std::fabs(sample(f, c)));
        return largest;
    }

private:
    std::size_t frameBytes() const { return std::size_t(channels_) * (isFloat_ ? 4 : 2); }
    uint32_t read32(std::size_t at) const
    {
        uint32_t v;
        std::memcpy(&v, bytes_.data() + at, 4);
        return v;
    }
    uint16_t read16(std::size_t at) const
    {
        uint16_t v;
        std::memcpy(&v, bytes_.data() + at, 2);
        return v;
    }
    float sample(std::size_t frame, int channel) const
    {
        const std::size_t at = dataStart_ + frame * frameBytes() + std::size_t(channel) * (isFloat_ ? 4 : 2);
        if (isFloat_) {
            float v;
            std::memcpy(&v, bytes_.data() + at, 4);
            return v;
        }
        return static_cast<int16_t>(read16(at)) / 32768.0f;
    }
    void parseHeader()
    {
        constexpr uint16_t floatFormat = 3;
        constexpr uint16_t extensible = 0xFFFE;
        for (std::size_t at = 12; at + 8 <= bytes_.size();) {
            const uint32_t size = read32(at + 4);
            if (bytes_.compare(at, 4, "fmt ") == 0 && at + 8 + 26 <= bytes_.size()) {
                uint16_t format = read16(at + 8);
                channels_ = read16(at + 10);
                rate_ = static_cast<int>(read32(at + 12));
                if (format == extensible)
                    format = read16(at + 8 + 24); // the sub-format's first two bytes
                isFloat_ = format == floatFormat;
            } else if (bytes_.compare(at, 4, "data") == 0) {
                dataStart_ = at + 8;
                return;
            }
            at += 8 + size + (size & 1);
        }
    }

    std::string bytes_;
    std::size_t dataStart_ = 0;
    int rate_ = 0;
    int channels_ = 0;
    bool isFloat_ = false;
};

class SoundPlayTest : public GameTest {
protected:
    void SetUp() override
    {
        scratch = fs::temp_directory_path() / ("quarvel_sound_play_" + std::to_string(::getpid()));
        fs::create_directories(scratch);
        recording = (scratch / "heard.wav").string();
        std::ofstream(scratch / "alsoft.conf") << "[general]\ndrivers = wave\n[wave]\nfile = " << recording << "\n";
    }
    void TearDown() override
    {
        GameTest::TearDown();
        fs::remove_all(scratch);
    }

    std::uintmax_t recorded() const
    {
        std::error_code error;
        const std::uintmax_t size = fs::file_size(recording, error);
        return error ? 0 : size;
    }

    // Waits until the recording holds the given seconds of sound beyond a size it had; returns its size
    // then (0 when time ran out). The mixer writes at its own pace, which a busy machine slows.
    std::uintmax_t recordedBeyond(std::uintmax_t size, double seconds)
    {
        constexpr double limit = 30.0; // seconds of wall time
        constexpr double pause = 0.05; // between two looks at the file
        double bytesPerSecond = 0.0;
        for (int poll = 0; poll * pause < limit; ++poll) {
            const std::uintmax_t now = recorded();
            if (bytesPerSecond == 0.0) {
                const Recording header(recording);
                bytesPerSecond = header.valid() ? header.bytesPerSecond() : 0.0;
            }
            if (bytesPerSecond > 0.0 && double(now) >= double(size) + seconds * bytesPerSecond)
                return now;
            sleepSeconds(pause);
        }
        ADD_FAILURE() << "the recording did not grow by " << seconds << " s";
        return 0;
    }

    // Holds Space until the stone lands, then lets the thud ring out; returns the recording's size
    // before and after.
    std::pair<std::uintmax_t, std::uintmax_t> dropStone(GameTestSession& game)
    {
        const std::uintmax_t before = recorded();
        EXPECT_TRUE(game.holdUntil("space", "HAHA", 30.0)) << "the stone did not land";
        return {before, recordedBeyond(recorded(), 0.8)};
    }

    fs::path scratch;
    std::string recording;
};

TEST_F(SoundPlayTest, ALandingIsHeardOverTheForestAndMSilencesTheNext)
{
    setenv("ALSOFT_CONF", (scratch / "alsoft.conf").c_str(), 1);
    unsetenv("ALSOFT_DRIVERS");
    GameTestSession& game = start();
    ASSERT_TRUE(game.waitUntilPlaying()) << game.errors();
    ASSERT_GT(recordedBeyond(recorded(), 1.0), 0u); // a second of forest to compare with

    const auto [quietEnd, firstLanding] = dropStone(game);
    game.key("m");
    ASSERT_TRUE(game.waitForLaterFrame()) << "the keys after M were handled, so M was too";
    recordedBeyond(recorded(), 0.3); // the mixer's next updates take the new gain
    const auto [mutedStart, secondLanding] = dropStone(game);
    ASSERT_EQ(game.quit(), 0) << game.errors();
    EXPECT_EQ(game.errors().find("without sound"), std::string::npos) << game.errors();

    const Recording heard(recording);
    ASSERT_TRUE(heard.valid());
    const auto window = static_cast<std::size_t>(windowSeconds * heard.rate());
    const std::size_t forestEnd = heard.frameAt(quietEnd);
    ASSERT_GT(forestEnd, 4 * window) << "nothing was recorded before the drop";
    const double forest = heard.rms(forestEnd - 4 * window, forestEnd);
    EXPECT_GT(forest, 0.0) << "the ambience plays";
    double loudest = 0.0;
    for (std::size_t f = forestEnd; f + window <= heard.frameAt(firstLanding); f += window / 2)
        loudest = std::max(loudest, heard.rms(f, f + window));
    EXPECT_GT(loudest, burstOverAmbience * forest) << "forest " << forest << ", loudest at the landing " << loudest;
    EXPECT_LT(heard.peak(heard.frameAt(mutedStart), heard.frameAt(secondLanding)), silence);
}

TEST_F(SoundPlayTest, WithoutAnyDeviceTheGamePlaysAndSaysSoOnce)
{
    unsetenv("ALSOFT_CONF");
    setenv("ALSOFT_DRIVERS", "none-such", 1);
    GameTestSession& game = start();
    ASSERT_TRUE(game.waitUntilPlaying()) << game.errors();
    game.key("m"); // muting nothing is harmless
    EXPECT_TRUE(game.holdUntil("space", "HAHA", 30.0)) << "the stone did not land";
    EXPECT_EQ(game.quit(), 0);
    EXPECT_EQ(occurrences(game.errors(), "Quarvel plays without sound"), 1) << game.errors();
    EXPECT_EQ(game.errors().find("ALSA"), std::string::npos) << game.errors();
}

TEST_F(SoundPlayTest, MuteInTheSettingsFileStartsSilentUntilTheMuteKey)
{
    setenv("ALSOFT_CONF", (scratch / "alsoft.conf").c_str(), 1);
    unsetenv("ALSOFT_DRIVERS");
    GameTestSession& game = start({.settings = "[sound]\nmute = true\n"});
    ASSERT_TRUE(game.waitUntilPlaying()) << game.errors();
    const auto [silentStart, landing] = dropStone(game);
    game.key("m");
    ASSERT_TRUE(game.waitForLaterFrame()) << "the keys after M were handled, so M was too";
    const std::uintmax_t afterKey = recordedBeyond(recorded(), 1.0);
    ASSERT_EQ(game.quit(), 0) << game.errors();

    const Recording heard(recording);
    ASSERT_TRUE(heard.valid());
    EXPECT_LT(heard.peak(0, heard.frameAt(landing)), silence) << "silent from the start, the landing too";
    EXPECT_GT(heard.peak(heard.frameAt(afterKey) - static_cast<std::size_t>(heard.rate()), heard.frameAt(afterKey)), silence)
        << "the mute key switched the sound on";
}

} // namespace
