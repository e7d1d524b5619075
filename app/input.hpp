#pragma once
// GLFW callbacks: they find the Game through the window's user pointer.

struct GLFWwindow;

// Keeps the held-key table and forwards key, action to Game::handleKey; scan code and modifiers are
// dropped.
void keyCallback(GLFWwindow* window, int key, int scancode, int action, int mods);
// Mouse look on the game's current camera.
void cursorPosCallback(GLFWwindow* window, double x, double y);
// Notes the window's keyboard focus in focusReport; the frame loop acts on it after the poll.
void windowFocusCallback(GLFWwindow* window, int focused);
