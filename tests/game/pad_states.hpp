#pragma once
// Gamepad states for tests: a pad at rest with one button held.

#include "game/gamepad_reader.hpp"

#include <GLFW/glfw3.h>

inline GLFWgamepadstate padWith(int button)
{
    GLFWgamepadstate state = GamepadReader::atRest();
    state.buttons[button] = GLFW_PRESS;
    return state;
}
