#include "app/frame_loop.hpp"

#include "app/app_state.hpp"
#include "app/input.hpp"
#include "game/game.hpp"
#include "platform/process_signals.hpp"
#include "render/model.hpp"
#include "render/render_state.hpp"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstring>
#include <iostream>

FrameLoop::FrameLoop(GLFWwindow* window, Game& game, bool fitToWindow)
    : FrameLoop(window, game, StepByStep{}, fitToWindow)
{
    run();
}

FrameLoop::FrameLoop(GLFWwindow* window, Game& game, StepByStep, bool fitToWindow)
    : window(window), game(game), gamepads(std::cerr)
{
    shadowMap.init();
    game.setup(window);
    glClearColor(0.686f, 0.933f, 0.933f, 1.0f); // pale turquoise sky
    glViewport(0, 0, viewportWidth, viewportHeight);
    glfwSetKeyCallback(window, keyCallback);
    glfwSetCursorPosCallback(window, cursorPosCallback);
    glfwSetWindowFocusCallback(window, windowFocusCallback);
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_DISABLED);
    shadowDepthTexture = shadowMap.depthTexture();
    if (fitToWindow)
        fit = std::make_unique<WindowFit>(viewportWidth, viewportHeight);
    frameClock.start(glfwGetTime());
}

void FrameLoop::run()
{
    while (!finished && frameClock.running && !glfwWindowShouldClose(window) && !ProcessSignals::quitRequested())
        runFrame();
    if (ProcessSignals::quitRequested())
        std::cerr << "Quarvel: " << strsignal(ProcessSignals::quitSignal()) << ": the game ends as if closed."
                  << std::endl;
    finish();
}

void FrameLoop::finish()
{
    if (finished)
        return;
    finished = true;
    game.cleanup();
    if (fit)
        fit->release();
    shadowDepthTexture = 0;
    shadowMap = ShadowMap();
    Model::clearCache(); // the last copies of every model went with the game
    glfwTerminate();
}

void FrameLoop::runFrame()
{
    if (finished)
        return;
    const float timeStep = static_cast<float>(frameClock.tick(glfwGetTime()));

    glfwPollEvents();
    if (focusReport.takeLoss())
        game.focusLost();
    frameClock.running = !quitHeld();
    if (game.fullscreenAsked) {
        game.fullscreenAsked = false;
        windowMode.toggle(window);
    }
    gamepads.poll(game, timeStep);
    game.update(timeStep);
    game.logic(timeStep);
    shadowPass();
    if (fit)
        fit->bindPicture();
    visiblePass();
    if (fit)
        present();
    glfwSwapBuffers(window);
    std::cout.flush(); // the traces of a frame reach a pipe while the game runs
}

bool FrameLoop::quitHeld() const
{
    for (int key : game.bindings.keys(PlayerAction::Quit))
        if (glfwGetKey(window, key) == GLFW_PRESS)
            return true;
    return false;
}

void FrameLoop::shadowPass()
{
    glCullFace(GL_FRONT);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, shadowMap.framebuffer());
    glClear(GL_DEPTH_BUFFER_BIT);
    Camera* remembered = game.currentCamera;
    game.currentCamera = game.lightCamera.get();
    game.mainPass = false;
    game.render();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    game.currentCamera = remembered;
}

// Read every frame, so the picture follows window and framebuffer (HiDPI) size changes.
void FrameLoop::present()
{
    int width = 0;
    int height = 0;
    glfwGetFramebufferSize(window, &width, &height);
    fit->present(width, height);
}

void FrameLoop::visiblePass()
{
    glCullFace(GL_BACK);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    game.mainPass = true;
    game.render();
}
