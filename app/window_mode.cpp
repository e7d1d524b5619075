#include "app/window_mode.hpp"

#include <GLFW/glfw3.h>

void WindowMode::toggle(GLFWwindow* window)
{
    if (isFullscreen(window)) {
        glfwSetWindowMonitor(window, nullptr, x_, y_, width_, height_, GLFW_DONT_CARE);
        return;
    }
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr;
    if (mode == nullptr)
        return;
    glfwGetWindowPos(window, &x_, &y_);
    glfwGetWindowSize(window, &width_, &height_);
    glfwSetWindowMonitor(window, monitor, 0, 0, mode->width, mode->height, mode->refreshRate);
}

bool WindowMode::isFullscreen(GLFWwindow* window)
{
    return glfwGetWindowMonitor(window) != nullptr;
}
