#pragma once
// A fully set-up game on the test window, loaded from the repo's data like the real one.

#include "app/input.hpp"
#include "creatures/lucanus_cervus.hpp"
#include "creatures/spawn_area.hpp"
#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "game/game.hpp"
#include "tests/support/gl_environment.hpp"

#include <GLFW/glfw3.h>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

class GameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing::internal::CaptureStdout();
        game = std::make_unique<Game>(playfield, spawnArea);
        game->setup(testWindow());
        testing::internal::GetCapturedStdout();
    }

    // A beetle standing at the point and heading along +x.
    LucanusCervus& addBeetle(float x, float z)
    {
        const glm::mat4 placement = glm::translate(glm::mat4(1.0f), glm::vec3(x, 0.0f, z));
        game->creatures.push_back(std::make_unique<LucanusCervus>(placement, glm::vec3(x + 1000.0f, 0.0f, z)));
        return static_cast<LucanusCervus&>(*game->creatures.back());
    }

    // Through the window's key callback, as GLFW delivers them.
    void release(int key) { keyEvent(key, GLFW_RELEASE); }
    void press(int key) { keyEvent(key, GLFW_PRESS); }
    void keyEvent(int key, int action)
    {
        glfwSetWindowUserPointer(testWindow(), game.get());
        keyCallback(testWindow(), key, 0, action, 0);
    }

    // Runs one frame of rules and returns what it wrote.
    std::string logic(float timeStep)
    {
        testing::internal::CaptureStdout();
        game->logic(timeStep);
        return testing::internal::GetCapturedStdout();
    }

    float stoneHeight() const { return game->stoneController->cells[0].y; }

    SpawnArea spawnArea;
    Playfield playfield;
    std::unique_ptr<Game> game;
};
