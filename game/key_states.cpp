#include "game/key_states.hpp"

#include <GLFW/glfw3.h>

bool keyStates[keyCount] = {};

void recordKeyState(int key, int action)
{
    if (key < 0 || key >= keyCount)
        return;
    if (action == GLFW_PRESS)
        keyStates[key] = true;
    else if (action == GLFW_RELEASE)
        keyStates[key] = false;
}
