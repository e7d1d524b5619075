#pragma once
// Switches the game's window to full screen on the primary monitor and back to the place and size it
// had as a window.

struct GLFWwindow;

class WindowMode {
public:
    // The size to come back to when the game started in full screen (pixels).
    WindowMode(int windowedWidth, int windowedHeight) : width_(windowedWidth), height_(windowedHeight) {}

    // Full screen when the window is a window, a window again when it is full screen. Without a
    // monitor (or its video mode) nothing changes.
    void toggle(GLFWwindow* window);
    static bool isFullscreen(GLFWwindow* window);

private:
    int x_ = 0; // the window's place and size before it went full screen, pixels
    int y_ = 0;
    int width_;
    int height_;
};
