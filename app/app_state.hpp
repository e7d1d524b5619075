#pragma once
// Process-wide cursor and frame-clock state of the application shell.

// Reference point of the mouse look.
struct CursorState {
    bool firstMouse = true;
    float lastX = 400.0f;
    float lastY = 300.0f;
};
extern CursorState cursorState;

// The keyboard focus as the window's callback reported it during one poll of events. A loss that the
// same poll takes back is the focus passing through (a window being mapped, a focus tool), not the
// player leaving.
struct FocusReport {
    bool reported = false;
    bool focused = false;

    void report(bool nowFocused);
    // True when the last report since the previous call was a loss; forgets the reports.
    bool takeLoss();
};
extern FocusReport focusReport;

// Frame clock of the loop.
struct FrameClock {
    // Seconds: a longer frame (a slow renderer, a stall, a stopped process) counts as this long,
    // so the game plays on at full speed instead of jumping ahead.
    static constexpr double longestStep = 0.25;

    double previousFrameTime = 0.0; // GLFW seconds at the start of the previous frame
    double timeStep = 0.0;          // seconds between the starts of the last two frames, capped
    bool running = true;            // false once Escape was seen held at the start of a frame

    // Counts the first frame from now, so loading is not played as one long step.
    void start(double now);
    // A new frame begins at now: sets and returns its time step, at most longestStep.
    double tick(double now);
};
extern FrameClock frameClock;
