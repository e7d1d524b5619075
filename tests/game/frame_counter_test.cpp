// Frames per second of the GLFW clock.

#include "game/frame_counter.hpp"

#include <gtest/gtest.h>

namespace {

TEST(FrameCounter, ClosesASecondWhenTheClockCrossesIt)
{
    FrameCounter counter;
    for (double t = 0.01; t < 0.995; t += 0.01)
        counter.count(t);
    EXPECT_EQ(counter.framesLastSecond, 0);
    counter.count(1.0);
    EXPECT_EQ(counter.framesLastSecond, 100);
    EXPECT_EQ(counter.framesThisSecond, 0);
    EXPECT_EQ(counter.secondMark, 1);
}

TEST(FrameCounter, CatchesUpOneSecondPerFrameAfterAStall)
{
    FrameCounter counter;
    counter.count(0.5);
    counter.count(4.2); // a stall of several seconds
    EXPECT_EQ(counter.framesLastSecond, 2);
    EXPECT_EQ(counter.secondMark, 1);
    for (int mark = 2; mark <= 4; ++mark) {
        counter.count(4.21);
        EXPECT_EQ(counter.framesLastSecond, 1);
        EXPECT_EQ(counter.secondMark, mark);
    }
    counter.count(4.22);
    EXPECT_EQ(counter.secondMark, 4);
    EXPECT_EQ(counter.framesThisSecond, 1);
}

} // namespace
