#pragma once
// Process-wide input and frame-clock state of the application shell.

constexpr int keyCount = 1024; // GLFW key codes below this are tracked

// True while the key with that GLFW code is held down.
extern bool keyStates[keyCount];

// Reference point of the mouse look.
struct CursorState {
    bool firstMouse = true;
    float lastX = 400.0f;
    float lastY = 300.0f;
};
extern CursorState cursorState;

// Frame clock of the loop.
struct FrameClock {
    double previousFrameTime = 0.0; // GLFW seconds at the start of the previous frame
    double timeStep = 0.0;          // seconds between the starts of the last two frames
    bool running = true;            // false once Escape was seen held at the start of a frame
};
extern FrameClock frameClock;
