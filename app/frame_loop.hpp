#pragma once
// Runs a whole game: shadow map, set-up, callbacks, the frame loop, clean-up and GLFW termination.

#include "render/shadow_map.hpp"

struct GLFWwindow;
class Game;

class FrameLoop {
public:
    static constexpr int viewportWidth = 1024; // pixels, whatever the window size
    static constexpr int viewportHeight = 800;

    // Does all the work and returns when the game has ended and GLFW is terminated.
    FrameLoop(GLFWwindow* window, Game& game);
    FrameLoop(const FrameLoop&) = delete;
    FrameLoop& operator=(const FrameLoop&) = delete;

private:
    void runFrame(GLFWwindow* window);
    void shadowPass();
    void visiblePass();

    ShadowMap shadowMap;
    Game& game;
};
