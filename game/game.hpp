#pragma once
// The record of a running game: cameras, programs, scene objects, rules state and display switches.

#include "app/camera.hpp"

#include <glm/glm.hpp>

#include <memory>

struct GLFWwindow;
class Playfield;
class SpawnArea;

class Game {
public:
    Game(Playfield& playfield, SpawnArea& spawnArea);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Once before the loop: GL state, title, programs, scene objects, cameras, grid marks, spawners.
    void setup(GLFWwindow* window);
    // Held keys: camera movement, fast fall, mass spawn.
    void update(float timeStep);
    // Key releases (and the Escape press) from the key callback.
    void handleKey(GLFWwindow* window, int key, int action);
    // One frame of game rules.
    void logic(float timeStep);
    // Draws the scene with the current camera and program.
    void render();
    // Once after the loop, before GLFW terminates.
    void cleanup();

    std::unique_ptr<Camera> playerCamera;
    std::unique_ptr<Camera> lightCamera;
    Camera* currentCamera = nullptr;
    bool mainPass = true;

    Playfield& playfield;
    SpawnArea& spawnArea;
};
