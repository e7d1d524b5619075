#include "app/input.hpp"

#include "app/app_state.hpp"
#include "game/game.hpp"
#include "game/key_states.hpp"

#include <GLFW/glfw3.h>

namespace {
Game& gameOf(GLFWwindow* window)
{
    return *static_cast<Game*>(glfwGetWindowUserPointer(window));
}
} // namespace

void keyCallback(GLFWwindow* window, int key, int, int action, int)
{
    recordKeyState(key, action);
    gameOf(window).handleKey(window, key, action);
}

void windowFocusCallback(GLFWwindow*, int focused)
{
    focusReport.report(focused == GLFW_TRUE);
}

void cursorPosCallback(GLFWwindow* window, double x, double y)
{
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    if (cursorState.firstMouse) {
        cursorState.lastX = fx;
        cursorState.lastY = fy;
        cursorState.firstMouse = false;
    }
    const float xOffset = fx - cursorState.lastX;
    const float yOffset = cursorState.lastY - fy; // screen y grows downward
    cursorState.lastX = fx;
    cursorState.lastY = fy;
    gameOf(window).currentCamera->turn(xOffset, yOffset);
}
