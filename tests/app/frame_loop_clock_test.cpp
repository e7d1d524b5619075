// The frame clock in a frame loop: the first step starts after the set-up.

#include "app/app_state.hpp"
#include "app/frame_loop.hpp"
#include "creatures/spawn_area.hpp"
#include "field/playfield.hpp"
#include "game/game.hpp"
#include "tests/support/gl_environment.hpp"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

namespace {

TEST(FrameClock, FirstFrameCountsFromTheEndOfTheSetUp)
{
    SpawnArea spawnArea;
    Playfield playfield;
    testing::internal::CaptureStdout();
    Game game(playfield, spawnArea);
    glfwSetWindowUserPointer(testWindow(), &game);
    const double beforeSetUp = glfwGetTime();
    FrameLoop loop(testWindow(), game, FrameLoop::StepByStep{});
    const double afterSetUp = glfwGetTime();
    testing::internal::GetCapturedStdout();
    EXPECT_GE(frameClock.previousFrameTime, beforeSetUp);
    EXPECT_LE(frameClock.previousFrameTime, afterSetUp);
    glfwSetWindowUserPointer(testWindow(), nullptr);
}

} // namespace
