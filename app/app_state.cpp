#include "app/app_state.hpp"

#include <algorithm>

CursorState cursorState;
FrameClock frameClock;

void FrameClock::start(double now)
{
    previousFrameTime = now;
    timeStep = 0.0;
}

double FrameClock::tick(double now)
{
    timeStep = std::clamp(now - previousFrameTime, 0.0, longestStep);
    previousFrameTime = now;
    return timeStep;
}
