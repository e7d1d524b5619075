#pragma once
// The 15 x 15 x 10 occupancy grid of the field, with the landed and the re-falling stones.

#include <glm/glm.hpp>

#include <array>
#include <memory>
#include <vector>

namespace vosk::scene {
class Food;
}
class GameEvents;
class StoneController;

class Playfield {
public:
    static constexpr int columns = 15;   // cells along x and along z
    static constexpr int levels = 10;    // cells along y
    static constexpr int cellCount = columns * columns * levels;
    static constexpr float cellSize = 100.0f; // world units

    Playfield();
    ~Playfield();
    Playfield(const Playfield&) = delete;
    Playfield& operator=(const Playfield&) = delete;

    // x and z in 0..14, level in 0..9; the ten levels of a column are adjacent.
    static int cellIndex(int x, int z, int level) { return x * 150 + z * 10 + level; }
    static bool inside(int x, int z, int level)
    {
        return x >= 0 && x < columns && z >= 0 && z < columns && level >= 0 && level < levels;
    }

    vosk::scene::Food*& at(int x, int z, int level) { return cells[cellIndex(x, z, level)]; }
    vosk::scene::Food* at(int x, int z, int level) const { return cells[cellIndex(x, z, level)]; }

    // The stone cell (x, z, level) at the translation of the matrix, or (-1, -1, -1) when that point
    // is outside the grid, empty, or holds the chest or the blocked marker.
    glm::vec3 stoneCellAt(const glm::mat4& transform) const;

    // Takes the stone filling cell (x, z, level) out of the field; stones resting on it fall again.
    // Arguments in world axis order x, y, z. An empty cell changes nothing.
    void removeStone(int x, int level, int z);

    // Writes the grid level by level, rows z 14..0, columns x 14..0, "X" for an empty cell.
    void printGrid() const;

    // Releases the stones resting on a stone whose cells have just been emptied.
    void releaseStonesAbove(vosk::scene::Food& removed);
    // Advances the re-falling stones, last released first; drops those that have landed.
    void update(float dt);
    // Draws the re-falling stones at their current positions.
    void drawFallingStones();

    std::array<vosk::scene::Food*, cellCount> cells{};  // non-owning
    glm::ivec3 origin{0, 0, 0};
    glm::ivec3 extent{1500, 1500, 1000};  // x extent, z extent, height
    std::vector<std::shared_ptr<vosk::scene::Food>> landedStones;
    std::vector<std::unique_ptr<StoneController>> fallingStones;
    // Where the stones and the creatures on the field record what happens; none while nobody listens.
    GameEvents* events = nullptr;
};
