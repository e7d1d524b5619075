#pragma once
// Counts frames per second of the GLFW clock for the frame-time display.

class FrameCounter {
public:
    // Counts one frame at the given GLFW time (seconds). A crossing of the current second closes it
    // and moves the mark by exactly one second, so after a stall it catches up one second per frame.
    void count(double now);

    int framesThisSecond = 0;
    int framesLastSecond = 0;
    int secondMark = 0; // seconds on the GLFW clock
};
