#include "app/app_state.hpp"

#include <algorithm>

CursorState cursorState;
FocusReport focusReport;
FrameClock frameClock;

void FocusReport::report(bool nowFocused)
{
    reported = true;
    focused = nowFocused;
}

bool FocusReport::takeLoss()
{
    const bool lost = reported && !focused;
    reported = false;
    return lost;
}

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
