// The frame clock: the first step starts after set-up, and no step is longer than a quarter second.

#include "app/app_state.hpp"
#include "app/frame_loop.hpp"
#include "creatures/spawn_area.hpp"
#include "field/playfield.hpp"
#include "game/game.hpp"
#include "tests/support/gl_environment.hpp"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

namespace {

TEST(FrameClock, StepsAreTheTimeBetweenFramesUpToAQuarterSecond)
{
    FrameClock clock;
    clock.start(20.0);
    EXPECT_DOUBLE_EQ(clock.tick(20.015625), 0.015625);
    EXPECT_DOUBLE_EQ(clock.tick(20.515625), 0.25);
    EXPECT_DOUBLE_EQ(clock.tick(50.0), 0.25); // a stopped process resumes where it was
    EXPECT_DOUBLE_EQ(clock.timeStep, 0.25);
    EXPECT_DOUBLE_EQ(clock.tick(50.125), 0.125); // and runs on at the true frame time
    EXPECT_DOUBLE_EQ(clock.previousFrameTime, 50.125);
}

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
