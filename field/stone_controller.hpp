#pragma once
// Carries one stone through its fall: sinking, steering, quarter turns, and landing into the grid.

#include <glm/glm.hpp>

#include <memory>
#include <vector>

namespace vosk::scene {
class Food;
}
class Playfield;

class StoneController {
public:
    static constexpr glm::vec3 spawnPoint{400.0f, 1000.0f, 400.0f}; // pivot of every new stone
    static constexpr float startBaseSpeed = 37.3f;  // world units per second
    static constexpr float startFastSpeed = 400.0f; // world units per second, Space held
    static constexpr float checkDistance = 100.0f;  // world units of fall between landing tests

    // The game's current controller: a random stone at the spawn point.
    explicit StoneController(Playfield& field);
    // A controller for the given stone with its pivot cell at the given world position.
    StoneController(Playfield& field, std::shared_ptr<vosk::scene::Food> stone, glm::vec3 pivot);

    // Once per frame: replaces a landed stone by a new random one, then lets the stone fall.
    void update(float dt);
    void fall(float dt);
    void land();
    // One sideways step for an arrow key (0 Left, 1 Right, 2 Down, 3 Up) relative to the camera.
    void move(int direction, const glm::vec3& cameraPosition);
    void rotateAboutX();
    void rotateAboutZ();
    bool collides() const;
    // Places the stone's model at the pivot cell and draws it with stoneShader.
    void draw();

    std::vector<glm::vec3> cells; // world positions of the stone's cells; cells[0] is the pivot
    bool landed = false;
    std::shared_ptr<vosk::scene::Food> stone;
    Playfield* playfield;
    bool turnGuard = false;
    float baseSpeed = startBaseSpeed;
    float fastSpeed = startFastSpeed;
    float speed = startBaseSpeed;
    float checkCountdown = checkDistance;
};
