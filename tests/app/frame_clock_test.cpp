// The frame clock: no step is longer than a quarter second.

#include "app/app_state.hpp"

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

} // namespace
