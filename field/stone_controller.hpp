#pragma once
// Carries one stone through its fall: sinking, steering, quarter turns, and landing into the grid.

#include "field/game_events.hpp"

#include <glm/glm.hpp>

#include <array>
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
    // World units, half a cell: falls are cut into sinks shorter than this, so that no level is
    // passed between two landing tests.
    static constexpr float longestSink = 50.0f;
    // World units: more than any stone falls before its landing test finds the ground.
    static constexpr float longestFall = 2000.0f;

    // A line in the x-z plane between two points in world units (x, z).
    struct Line {
        glm::ivec2 from;
        glm::ivec2 to;
    };
    // The field's diagonals; the camera's side of both tells from where the player looks.
    static constexpr std::array<Line, 2> fieldDiagonals{
        Line{{0, 0}, {1500, 1500}}, Line{{1500, 0}, {0, 1500}}};

    // The game's current controller: a random stone at the spawn point.
    explicit StoneController(Playfield& field);
    // A controller for the given stone with its pivot cell at the given world position.
    // Reseeds rand() with the calendar time as its last step.
    StoneController(Playfield& field, std::shared_ptr<vosk::scene::Food> stone, glm::vec3 pivot);

    // Once per frame: replaces a landed stone by a new random one, then lets the stone fall.
    void update(float dt);
    // Sinks by speed * dt; about every 100 units of fall tests the level below each cell. A long
    // fall sinks in steps under half a cell, each with the landing test when due, and ends early
    // once the stone has landed.
    void fall(float dt);
    // Writes the stone into the grid (cells inside the grid and still free) and lists it as landed.
    void land();
    // One sideways step for an arrow key (0 Left, 1 Right, 2 Down, 3 Up) relative to the camera.
    // A step that would leave x or z in 0..1400 or enter an occupied cell is refused as a whole.
    void move(int direction, const glm::vec3& cameraPosition);
    // Quarter turns, pushed back inside the field; a turn into an occupied cell is undone.
    void rotateAboutX();
    void rotateAboutZ();
    // True when a cell lies below the ground or in an occupied grid cell.
    bool collides() const;
    // The landing test, for cells at any height: true when a cell has reached the ground or rounds
    // into a level whose cell below is occupied. Cells at the top of the grid or above are not tested.
    static bool touchesDown(const Playfield& field, const std::vector<glm::vec3>& cells);
    // The cells (x, z, level) the stone would fill if it kept falling from here without a move or
    // turn: the cells are tried at the controller's coming landing tests, one level apart, until the
    // landing test holds. Changes nothing.
    std::vector<glm::ivec3> landingCells() const;
    // How far (whole world units) the cells stick out past the far border (positive) or the near
    // border (negative) along x (axis 0) or z (axis 2).
    int overhang(int axis) const;
    // Places the stone's model at the pivot cell and draws it with stoneShader, which is in use.
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

private:
    void turn(void (vosk::scene::Food::*stoneTurn)());
    void turnOnce(void (vosk::scene::Food::*stoneTurn)());
    void sink(float distance);
    glm::vec2 chooseStep(int direction, const glm::vec3& cameraPosition) const;
    bool canShift(glm::vec2 step) const;
    void record(GameEvent::Kind what) const;
};
