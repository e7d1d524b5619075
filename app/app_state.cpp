#include "app/app_state.hpp"

bool keyStates[keyCount] = {};
CursorState cursorState;
FrameClock frameClock;
