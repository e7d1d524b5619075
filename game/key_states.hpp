#pragma once
// Which keys are held: written by the window's key callback, read by the game for held-key actions.

constexpr int keyCount = 1024; // GLFW key codes below this are tracked

// True while the key with that GLFW code is held down.
extern bool keyStates[keyCount];

// The key callback's bookkeeping: a press marks the key held, a release clears it; repeats and codes
// outside the table change nothing.
void recordKeyState(int key, int action);
