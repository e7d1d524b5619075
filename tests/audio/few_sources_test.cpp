// A device with few sources (`sources = 8` in the user's OpenAL configuration; its own program, since
// OpenAL reads its configuration once per process): the loops come first, the effects share the rest.

#include "audio/sound_board.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/scratch_dir.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

TEST(FewSources, TheLoopsComeFirstAndTheEffectsShareTheRestWithOneNote)
{
    ScratchDir dir;
    std::ofstream(dir.file("alsoft.conf")) << "[general]\ndrivers = wave\nsources = 8\n[wave]\nfile = "
                                           << dir.file("out.wav");
    setenv("ALSOFT_CONF", dir.file("alsoft.conf").c_str(), 1);
    unsetenv("ALSOFT_DRIVERS");
    testing::internal::CaptureStderr();
    {
        SoundBoard board(false, sourceDir() + "/" + soundFolder);
        ASSERT_TRUE(board.audible());
        EXPECT_EQ(board.effectSources(), 6u);
        board.gnawingAt(glm::vec3(100.0f, 0.0f, 100.0f));
        // Nine voices on six sources: the oldest give way, the last is started on a real source.
        for (Happening what : {Happening::GameOver, Happening::Paused, Happening::Resumed, Happening::BeetleArrived,
                               Happening::SquirrelArrived, Happening::CreatureSmashed, Happening::ChestReached,
                               Happening::StoneMoved})
            board.tell(SoundEvent{what});
        EXPECT_TRUE(board.started(SoundId::Tick));
        EXPECT_TRUE(board.looping(SoundId::Forest));
        EXPECT_TRUE(board.looping(SoundId::Gnaw));
    }
    const std::string notes = testing::internal::GetCapturedStderr();
    EXPECT_EQ(occurrences(notes, "gives 6 of 16 sources"), 1) << notes;
}

} // namespace
