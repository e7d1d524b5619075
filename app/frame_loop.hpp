#pragma once
// Runs a whole game: shadow map, set-up, callbacks, the frame loop, clean-up and GLFW termination.

#include "app/gamepad_poll.hpp"
#include "app/window_mode.hpp"
#include "render/shadow_map.hpp"
#include "render/window_fit.hpp"

#include <memory>

struct GLFWwindow;
class Game;

class FrameLoop {
public:
    static constexpr int viewportWidth = 1024; // pixels, whatever the window size
    static constexpr int viewportHeight = 800;

    // Does all the work and returns when the game has ended and GLFW is terminated. With
    // fitToWindow the picture is drawn off screen and shown scaled to the window (--fit).
    FrameLoop(GLFWwindow* window, Game& game, bool fitToWindow = false);

    // Prepares everything as above but runs no frame: the caller drives runFrame() and finish(), or
    // run() (benchmarks measure frames this way).
    struct StepByStep {};
    FrameLoop(GLFWwindow* window, Game& game, StepByStep, bool fitToWindow = false);

    FrameLoop(const FrameLoop&) = delete;
    FrameLoop& operator=(const FrameLoop&) = delete;

    // Frames until Escape is held, the window's close flag is raised or a quit signal arrived (a
    // shutdown, a logout, Ctrl-C: they end the game as the close button does), then finish().
    void run();
    // One frame: time step, events (a full-screen switch the keys asked for), the gamepad, held keys,
    // rules, shadow pass, visible pass, swap. Does nothing once finish has run.
    void runFrame();
    // Game clean-up, then the shadow map and the process-wide model cache are released while the
    // context is still current, then GLFW terminates. Only the first call does anything.
    void finish();

private:
    void shadowPass();
    void visiblePass();
    void present();
    bool quitHeld() const;

    ShadowMap shadowMap;
    GLFWwindow* window;
    Game& game;
    std::unique_ptr<WindowFit> fit; // only with --fit
    WindowMode windowMode{viewportWidth, viewportHeight};
    GamepadPoll gamepads;
    bool finished = false;          // GLFW is terminated: no frame can run any more
};
