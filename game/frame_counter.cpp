#include "game/frame_counter.hpp"

void FrameCounter::count(double now)
{
    framesThisSecond += 1;
    if (now - secondMark >= 1.0) {
        framesLastSecond = framesThisSecond;
        framesThisSecond = 0;
        secondMark += 1;
    }
}
