// The sound board on OpenAL's wave-file backend (no sound card needed): damaged files are skipped with
// one note each, and the rest plays.

#include "audio/sound_board.hpp"
#include "tests/support/run_program.hpp"

#include <AL/al.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class SoundBoardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        scratch = fs::temp_directory_path() / ("quarvel_sound_board_" + std::to_string(::getpid()));
        fs::create_directories(scratch / "Sounds");
        std::ofstream(scratch / "alsoft.conf") << "[general]\ndrivers = wave\n[wave]\nfile = "
                                               << (scratch / "out.wav").string() << "\n";
        // OpenAL reads its configuration once, at the first device it opens in this process.
        setenv("ALSOFT_CONF", (scratch / "alsoft.conf").c_str(), 1);
        unsetenv("ALSOFT_DRIVERS");
        fs::copy(fs::path(sourceDir()) / soundFolder, scratch / "Sounds", fs::copy_options::recursive);
    }
    void TearDown() override { fs::remove_all(scratch); }

    std::string folder() const { return (scratch / "Sounds").string() + "/"; }

    fs::path scratch;
};

TEST_F(SoundBoardTest, DamagedAndMissingFilesAreSkippedWithOneNoteEach)
{
    fs::resize_file(scratch / "Sounds" / soundFileName(SoundId::Clink), 30);
    fs::remove(scratch / "Sounds" / soundFileName(SoundId::Thud));

    testing::internal::CaptureStderr();
    {
        SoundBoard board(false, folder());
        ASSERT_TRUE(board.audible());
        EXPECT_EQ(board.loadedSounds(), soundCount - 2);
        // The happenings whose sounds are gone are simply not heard.
        board.tell(SoundEvent{Happening::ChestReached, glm::vec3(700.0f, 0.0f, 700.0f)});
        board.tell(SoundEvent{Happening::StoneLanded, glm::vec3(400.0f, 0.0f, 400.0f), 8});
        board.gnawingAt(glm::vec3(100.0f, 0.0f, 100.0f));
        board.setMuted(true);
        EXPECT_TRUE(board.muted());
    }
    const std::string notes = testing::internal::GetCapturedStderr();
    EXPECT_EQ(occurrences(notes, "Skipping sound file"), 2) << notes;
    EXPECT_EQ(occurrences(notes, soundFileName(SoundId::Clink)), 1) << notes;
    EXPECT_EQ(occurrences(notes, soundFileName(SoundId::Thud)), 1) << notes;
    EXPECT_EQ(occurrences(notes, "without sound"), 0) << notes;
}

TEST_F(SoundBoardTest, VolumeScalesTheWholeMixAndMuteStillSilencesIt)
{
    SoundBoard board(false, folder());
    ASSERT_TRUE(board.audible());
    const auto listenerGain = [] {
        ALfloat gain = -1.0f;
        alGetListenerf(AL_GAIN, &gain);
        return gain;
    };
    const float full = listenerGain();
    EXPECT_GT(full, 0.0f);
    struct Case {
        int percent;
        float share; // of the full gain
    };
    for (const Case c : {Case{25, 0.25f}, Case{0, 0.0f}, Case{100, 1.0f}, Case{150, 1.0f}, Case{-5, 0.0f}}) {
        board.setVolume(c.percent);
        EXPECT_FLOAT_EQ(listenerGain(), full * c.share) << c.percent;
    }
    board.setVolume(40);
    board.setMuted(true);
    EXPECT_FLOAT_EQ(listenerGain(), 0.0f);
    board.setMuted(false);
    EXPECT_FLOAT_EQ(listenerGain(), full * 0.4f);
}

} // namespace
