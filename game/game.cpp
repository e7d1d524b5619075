#include "game/game.hpp"

#include "app/app_state.hpp"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

Game::Game(Playfield& playfield, SpawnArea& spawnArea) : playfield(playfield), spawnArea(spawnArea) {}

Game::~Game() = default;

void Game::setup(GLFWwindow* window)
{
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glfwSetWindowTitle(window, "Quarvel");
    playerCamera = std::make_unique<Camera>(glm::vec3(706.0f, 1500.0f, -550.0f), glm::vec3(0.0f, 1.0f, 0.0f),
                                            90.0f, -50.0f);
    lightCamera = std::make_unique<Camera>(glm::vec3(700.0f, 1500.0f, 700.0f), glm::vec3(0.0f, 1.0f, 0.0f),
                                           90.0f, -90.0f);
    currentCamera = playerCamera.get();
}

void Game::update(float) {}

void Game::handleKey(GLFWwindow* window, int key, int action)
{
    if (key == GLFW_KEY_ESCAPE && action == GLFW_PRESS) {
        glfwSetWindowShouldClose(window, GLFW_TRUE);
        keyStates[GLFW_KEY_ESCAPE] = true;
        return;
    }
    if (key < 0 || key >= keyCount)
        return;
    if (action == GLFW_PRESS)
        keyStates[key] = true;
    else if (action == GLFW_RELEASE)
        keyStates[key] = false;
}

void Game::logic(float) {}

void Game::render() {}

void Game::cleanup() {}
