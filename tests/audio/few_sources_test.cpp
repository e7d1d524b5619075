// A device with few sources (`sources = 8` in the user's OpenAL configuration): its own program, since
// OpenAL reads its configuration once per process. The loops come first, the effects take the rest,
// and no name that was never given is used or deleted.

#include "audio/sound_board.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/scratch_dir.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

constexpr int deviceSources = 8;

TEST(FewSources, TheLoopsComeFirstAndTheEffectsShareTheRestWithOneNote)
{
    ScratchDir dir;
    std::ofstream(dir.file("alsoft.conf")) << "[general]\ndrivers = wave\nsources = " << deviceSources
                                           << "\n[wave]\nfile = " << dir.file("out.wav") << "\n";
    setenv("ALSOFT_CONF", dir.file("alsoft.conf").c_str(), 1);
    unsetenv("ALSOFT_DRIVERS");

    testing::internal::CaptureStderr();
    {
        SoundBoard board(false, sourceDir() + "/" + soundFolder);
        ASSERT_TRUE(board.audible());
        EXPECT_EQ(board.effectSources(), std::size_t(deviceSources - 2));
        EXPECT_TRUE(board.looping(SoundId::Forest));
        board.gnawingAt(glm::vec3(100.0f, 0.0f, 100.0f));
        EXPECT_TRUE(board.looping(SoundId::Gnaw));
        // More effects than sources: the oldest give way, every one is started on a real source.
        const Happening many[] = {Happening::GameOver, Happening::Paused, Happening::Resumed,
                                  Happening::BeetleArrived, Happening::SquirrelArrived,
                                  Happening::CreatureSmashed, Happening::ChestReached, Happening::StoneMoved};
        for (Happening what : many)
            board.tell(SoundEvent{what});
        EXPECT_TRUE(board.started(SoundId::Tick));
        EXPECT_TRUE(board.looping(SoundId::Forest));
        EXPECT_TRUE(board.looping(SoundId::Gnaw));
    }
    const std::string notes = testing::internal::GetCapturedStderr();
    EXPECT_EQ(occurrences(notes, "gives 6 of 16 sources"), 1) << notes;
}

} // namespace
