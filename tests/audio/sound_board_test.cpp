// The sound board on OpenAL's wave-file backend (no sound card needed): damaged files are skipped with
// one note each and the rest plays, muting reaches the mix, and a lost device is replaced.

#include "audio/sound_board.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/scratch_dir.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class SoundBoardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(scratch / "Sounds");
        fs::create_directories(recordings());
        std::ofstream(scratch / "alsoft.conf") << "[general]\ndrivers = wave\n[wave]\nfile = "
                                               << (recordings() / "out.wav").string() << "\n";
        // OpenAL reads its configuration once, at the first device it opens in this process.
        setenv("ALSOFT_CONF", (scratch / "alsoft.conf").c_str(), 1);
        unsetenv("ALSOFT_DRIVERS");
        fs::copy(fs::path(sourceDir()) / soundFolder, scratch / "Sounds", fs::copy_options::recursive);
    }

    std::string folder() const { return (scratch / "Sounds").string() + "/"; }
    fs::path sound(SoundId id) const { return scratch / "Sounds" / soundFileName(id); }
    // The wave writer's folder: without it no device can be opened.
    fs::path recordings() const { return scratch / "heard"; }

    ScratchDir dir;
    const fs::path& scratch = dir.path();
};

TEST_F(SoundBoardTest, DamagedAndMissingFilesAreSkippedWithOneNoteEach)
{
    fs::resize_file(sound(SoundId::Clink), 30);
    fs::remove(sound(SoundId::Thud));
    fs::remove(sound(SoundId::Tick));
    fs::create_directory(sound(SoundId::Tick));
    fs::remove(sound(SoundId::Click));
    ASSERT_EQ(mkfifo(sound(SoundId::Click).c_str(), 0600), 0);

    testing::internal::CaptureStderr();
    {
        SoundBoard board(false, folder());
        ASSERT_TRUE(board.audible());
        EXPECT_EQ(board.loadedSounds(), soundCount - 4);
        EXPECT_TRUE(board.looping(SoundId::Forest));
        // The happenings whose sounds are gone are simply not heard; the rest is.
        board.tell(SoundEvent{Happening::ChestReached, glm::vec3(700.0f, 0.0f, 700.0f)});
        board.tell(SoundEvent{Happening::StoneLanded, glm::vec3(400.0f, 0.0f, 400.0f), 8});
        board.tell(SoundEvent{Happening::StoneMoved});
        EXPECT_FALSE(board.started(SoundId::Clink));
        EXPECT_TRUE(board.started(SoundId::Warning));
        EXPECT_FALSE(board.started(SoundId::Thud));
        EXPECT_FALSE(board.started(SoundId::Tick));
        board.gnawingAt(glm::vec3(100.0f, 0.0f, 100.0f));
        EXPECT_TRUE(board.looping(SoundId::Gnaw));
        board.gnawingAt(std::nullopt);
        EXPECT_FALSE(board.looping(SoundId::Gnaw));
    }
    const std::string notes = testing::internal::GetCapturedStderr();
    EXPECT_EQ(occurrences(notes, "Skipping sound file"), 4) << notes;
    for (SoundId id : {SoundId::Clink, SoundId::Thud, SoundId::Tick, SoundId::Click})
        EXPECT_EQ(occurrences(notes, soundFileName(id)), 1) << notes;
    EXPECT_EQ(occurrences(notes, "without sound"), 0) << notes;
}

// The connection is asked through a stand-in (a USB headset cannot be unplugged here); the wave writer
// cannot open a device while its folder is gone.
TEST_F(SoundBoardTest, ALostDeviceIsReplacedWithEverythingAsItWasOrTriedAgainLater)
{
    bool connected = true;
    int asked = 0;
    testing::internal::CaptureStderr();
    SoundBoard board(false, folder(), [&](ALCdevice*) {
        ++asked;
        return connected;
    });
    const auto start = SoundBoard::Clock::now();
    board.checkDevice(start);
    board.setMuted(true);
    board.gnawingAt(glm::vec3(100.0f, 0.0f, 100.0f));
    connected = false;
    board.checkDevice(start + 500ms); // not due yet
    EXPECT_EQ(asked, 1);
    board.checkDevice(start + 1s);
    connected = true;
    const auto asBefore = [&board] {
        EXPECT_TRUE(board.audible());
        EXPECT_EQ(board.loadedSounds(), soundCount);
        EXPECT_EQ(board.effectSources(), SoundBoard::sourceCount);
        EXPECT_TRUE(board.looping(SoundId::Forest));
        EXPECT_TRUE(board.looping(SoundId::Gnaw));
        EXPECT_EQ(board.listenerGain(), 0.0f);
    };
    asBefore();

    fs::remove_all(recordings());
    connected = false;
    board.checkDevice(start + 2s);
    connected = true;
    EXPECT_FALSE(board.audible());
    board.tell(SoundEvent{Happening::GameOver}); // silence, and no harm
    fs::create_directories(recordings());
    board.checkDevice(start + 2s + SoundBoard::retryInterval - 1s);
    EXPECT_FALSE(board.audible()) << "tried again before its time";
    board.checkDevice(start + 2s + SoundBoard::retryInterval);
    asBefore();
    const std::string notes = testing::internal::GetCapturedStderr();
    EXPECT_EQ(occurrences(notes, "was lost; playing on through"), 1) << notes;
    EXPECT_EQ(occurrences(notes, "was lost; playing without sound"), 1) << notes;
    EXPECT_EQ(occurrences(notes, "sound plays again through"), 1) << notes;
}

TEST_F(SoundBoardTest, VolumeScalesTheWholeMixAndMuteSilencesItAndStartsNoEffects)
{
    SoundBoard board(false, folder());
    ASSERT_TRUE(board.audible());
    const float full = board.listenerGain();
    EXPECT_GT(full, 0.0f);
    struct Case {
        int percent;
        float share; // of the full gain
    };
    for (const Case c : {Case{25, 0.25f}, Case{0, 0.0f}, Case{100, 1.0f}, Case{150, 1.0f}, Case{-5, 0.0f}}) {
        board.setVolume(c.percent);
        EXPECT_FLOAT_EQ(board.listenerGain(), full * c.share) << c.percent;
    }
    board.setVolume(40);
    board.setMuted(true);
    EXPECT_FLOAT_EQ(board.listenerGain(), 0.0f);
    EXPECT_TRUE(board.looping(SoundId::Forest)); // it goes on under the silence, to be heard again
    board.tell(SoundEvent{Happening::GameOver});
    EXPECT_FALSE(board.started(SoundId::GameOver));
    board.setMuted(false);
    EXPECT_FLOAT_EQ(board.listenerGain(), full * 0.4f);
    board.tell(SoundEvent{Happening::GameOver});
    EXPECT_TRUE(board.started(SoundId::GameOver));
}

} // namespace
