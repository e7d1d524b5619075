#include "field/stone_controller.hpp"

#include "field/food.hpp"
#include "field/game_events.hpp"
#include "field/playfield.hpp"
#include "field/stone_factory.hpp"
#include "field/stone_shader.hpp"
#include "render/shader_program.hpp"

#include <glm/gtc/type_ptr.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <limits>

using vosk::scene::Food;

namespace {

constexpr float fieldLimit = 1400.0f; // world units: highest x and z of a cell's position
constexpr float fieldSize = 1500.0f;  // world units: far border of the field along x and z
constexpr int directionCount = 4;     // arrow codes 0..3
// Landing tests a stone can still meet: from the spawn point every cell is on the ground after fewer.
constexpr int maxLandingTests = 20;
// World units: how far below a multiple of 100 the deciding landing test is taken ahead of time.
constexpr float testDepth = 0.5f;

// One sideways step of a move: its trace and the world offset it names.
struct Step {
    const char* message;
    glm::vec2 offset; // (dx, dz) in world units
};
constexpr Step up{"Move up", {0.0f, -100.0f}};
constexpr Step bot{"Move bot", {0.0f, 100.0f}};
constexpr Step right{"Move right", {-100.0f, 0.0f}};
constexpr Step left{"Move LEFT", {100.0f, 0.0f}};

// Steps for the codes 0 Left, 1 Right, 2 Down, 3 Up as seen from each side of the field:
// Up moves away from the camera, Down toward it, Left and Right to the viewer's left and right.
constexpr std::array<Step, directionCount> fromLowX{up, bot, right, left};
constexpr std::array<Step, directionCount> fromHighZ{right, left, bot, up};
constexpr std::array<Step, directionCount> fromHighX{bot, up, left, right};
constexpr std::array<Step, directionCount> fromLowZ{left, right, up, bot};

// The grid cell (x, z, level) a world position rounds into.
glm::ivec3 cellOf(const glm::vec3& position)
{
    return {static_cast<int>(std::roundf(position.x / Playfield::cellSize)),
            static_cast<int>(std::roundf(position.z / Playfield::cellSize)),
            static_cast<int>(std::roundf(position.y / Playfield::cellSize))};
}

bool occupied(const Playfield& field, const glm::ivec3& cell)
{
    return Playfield::inside(cell.x, cell.y, cell.z) && field.at(cell.x, cell.y, cell.z) != nullptr;
}

// Camera coordinate truncated toward zero; held inside the integer range.
std::int64_t truncated(float coordinate)
{
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int64_t>(std::clamp(static_cast<double>(coordinate), lowest, highest));
}

// Which side of the line the point (cx, cz) lies on: positive on the left of from -> to.
// Taken in 64 bits so that far-away cameras cannot overflow it.
std::int64_t sideOf(const StoneController::Line& line, std::int64_t cx, std::int64_t cz)
{
    const std::int64_t dx = line.to.x - line.from.x;
    const std::int64_t dz = line.to.y - line.from.y;
    return dx * (cz - line.from.y) - dz * (cx - line.from.x);
}

} // namespace

StoneController::StoneController(Playfield& field)
    : StoneController(field, vosk::scene::makeRandomStone(), spawnPoint)
{
}

StoneController::StoneController(Playfield& field, std::shared_ptr<Food> stone, glm::vec3 pivot)
    : stone(std::move(stone)), playfield(&field)
{
    for (const glm::vec3& offset : this->stone->shapeCells())
        cells.push_back(pivot + offset);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

void StoneController::update(float dt)
{
    if (landed)
        *this = StoneController(*playfield);
    fall(dt);
    if (landed)
        record(GameEvent::Kind::StoneLanded);
}

void StoneController::fall(float dt)
{
    const float distance = std::min(speed * dt, longestFall);
    if (!(distance >= longestSink)) { // an ordinary frame
        sink(distance);
        return;
    }
    const int steps = static_cast<int>(distance / longestSink) + 1;
    const float step = distance / static_cast<float>(steps);
    for (int i = 0; i < steps && !landed; ++i)
        sink(step);
}

void StoneController::sink(float distance)
{
    for (glm::vec3& cell : cells)
        cell.y -= distance;
    checkCountdown -= distance;
    if (!(checkCountdown < 0.0f))
        return;
    // The next test comes when the pivot passes the next lower multiple of 100.
    checkCountdown = static_cast<float>(static_cast<int>(cells[0].y) % 100);
    if (touchesDown(*playfield, cells))
        land();
    std::cout << '\n';
}

bool StoneController::touchesDown(const Playfield& field, const std::vector<glm::vec3>& cells)
{
    for (const glm::vec3& cell : cells) {
        if (cell.y <= 0.0f)
            return true;
        if (cell.y >= 1000.0f)
            continue; // above the grid: nothing to rest on yet
        const glm::ivec3 c = cellOf(cell);
        if (c.z - 1 >= 0 && occupied(field, {c.x, c.y, c.z - 1}))
            return true;
    }
    return false;
}

std::vector<glm::ivec3> StoneController::landingCells() const
{
    // The next test comes once the pivot has sunk past cells[0].y - checkCountdown, which lies on a
    // multiple of 100 or at most one unit above it. A test above the multiple is always followed by
    // one just below it, and only that one can land a stone at a level the other would not, so the
    // tests that decide lie just below that multiple and every 100 units lower.
    const float nextTest = cells[0].y - checkCountdown;
    const float firstTest = Playfield::cellSize * std::roundf(nextTest / Playfield::cellSize) - testDepth;
    std::vector<glm::vec3> probe = cells;
    for (glm::vec3& cell : probe)
        cell.y += firstTest - cells[0].y;
    for (int test = 0; test < maxLandingTests && !touchesDown(*playfield, probe); ++test)
        for (glm::vec3& cell : probe)
            cell.y -= Playfield::cellSize;
    std::vector<glm::ivec3> landing;
    for (const glm::vec3& cell : probe)
        landing.push_back(cellOf(cell));
    return landing;
}

void StoneController::land()
{
    if (landed)
        return;
    std::cout << stone->shape[0].x << "HAHA";
    landed = true;
    stone->gridCells.clear();
    stone->pivotCell = cellOf(cells[0]);
    for (const glm::vec3& cell : cells) {
        const glm::ivec3 c = cellOf(cell);
        std::cout << c.z << "ny" << std::roundf(cell.y) << "rounded";
        // A cell outside the grid (above the top level) or in a cell another object holds stays
        // unwritten, so every written cell refers to exactly one object and is listed by it.
        if (!Playfield::inside(c.x, c.y, c.z) || playfield->at(c.x, c.y, c.z) != nullptr)
            continue;
        playfield->at(c.x, c.y, c.z) = stone.get();
        stone->gridCells.push_back(c);
    }
    playfield->printGrid();
    playfield->landedStones.push_back(stone);
}

void StoneController::move(int direction, const glm::vec3& cameraPosition)
{
    const glm::vec2 step = chooseStep(direction, cameraPosition);
    if (!canShift(step))
        return;
    for (glm::vec3& cell : cells) {
        cell.x += step.x;
        cell.z += step.y;
    }
    if (step != glm::vec2(0.0f))
        record(GameEvent::Kind::StoneMoved);
}

glm::vec2 StoneController::chooseStep(int direction, const glm::vec3& cameraPosition) const
{
    const std::int64_t cx = truncated(cameraPosition.x);
    const std::int64_t cz = truncated(cameraPosition.z);
    const std::int64_t sideA = sideOf(fieldDiagonals[0], cx, cz); // > 0: cz > cx
    const std::int64_t sideB = sideOf(fieldDiagonals[1], cx, cz); // > 0: cx + cz < 1500
    if (sideA == 0 || sideB == 0)
        return glm::vec2(0.0f); // above a diagonal: no side to steer from
    if (static_cast<unsigned>(direction) >= directionCount) {
        std::cout << "ERROR, integer " << direction << " is not mapped as a direction";
        return glm::vec2(0.0f);
    }
    const std::array<Step, directionCount>& row =
        sideA > 0 ? (sideB > 0 ? fromLowX : fromHighZ) : (sideB > 0 ? fromLowZ : fromHighX);
    const Step& step = row[static_cast<std::size_t>(direction)];
    std::cout << step.message;
    return step.offset;
}

bool StoneController::canShift(glm::vec2 step) const
{
    for (const glm::vec3& cell : cells) {
        const glm::vec3 moved(cell.x + step.x, cell.y, cell.z + step.y);
        if (moved.x > fieldLimit || moved.x < 0.0f || moved.z > fieldLimit || moved.z < 0.0f)
            return false;
        if (occupied(*playfield, cellOf(moved)))
            return false;
    }
    return true;
}

void StoneController::rotateAboutX()
{
    turn(&Food::rotateAboutX);
}

void StoneController::rotateAboutZ()
{
    turn(&Food::rotateAboutZ);
}

void StoneController::turn(void (Food::*stoneTurn)())
{
    const glm::mat4 before = stone->pivotRotation;
    turnOnce(stoneTurn);
    if (!turnGuard && collides()) {
        // Three more quarter turns bring the stone back; the pivot keeps any push from the borders.
        turnGuard = true;
        for (int i = 0; i < 3; ++i)
            turnOnce(stoneTurn);
        turnGuard = false;
    }
    // A turn counts whenever the rotation changed, also one that leaves the same cells filled (a bar
    // turned about its length).
    if (stone->pivotRotation != before)
        record(GameEvent::Kind::StoneTurned);
}

void StoneController::turnOnce(void (Food::*stoneTurn)())
{
    ((*stone).*stoneTurn)();
    const glm::vec3 pivot = cells[0];
    const std::vector<glm::vec3>& offsets = stone->shapeCells();
    for (std::size_t i = cells.size(); i-- > 0;)
        cells[i] = pivot + offsets[i];
    const int pushZ = overhang(2);
    const int pushX = overhang(0);
    for (glm::vec3& cell : cells) {
        cell.z -= static_cast<float>(pushZ);
        cell.x -= static_cast<float>(pushX);
    }
}

int StoneController::overhang(int axis) const
{
    int result = 0;
    for (const glm::vec3& cell : cells) {
        const float v = cell[axis];
        if (v + 100.0f > fieldSize) {
            if (v + 100.0f - fieldSize > static_cast<float>(result))
                result = static_cast<int>(v + 100.0f - fieldSize);
        } else if (v < 0.0f && v < static_cast<float>(result)) {
            result = static_cast<int>(v);
        }
    }
    return result;
}

bool StoneController::collides() const
{
    for (const glm::vec3& cell : cells) {
        const glm::ivec3 c = cellOf(cell);
        if (c.z < 0 || occupied(*playfield, c))
            return true;
    }
    return false;
}

// Steering and landing of this stone; a landed stone no longer steers, so keys that still shift its
// cells tell nothing.
void StoneController::record(GameEvent::Kind what) const
{
    if (what != GameEvent::Kind::StoneLanded && landed)
        return;
    GameEvents::record(playfield->events, {what, cells.front(), static_cast<int>(cells.size())});
}

void StoneController::draw()
{
    const glm::vec3 position = cells[0] + stone->drawOffset();
    stone->modelMatrix[3].x = position.x;
    stone->modelMatrix[3].y = position.y;
    stone->modelMatrix[3].z = position.z;
    glUniformMatrix4fv(stoneShader->uniform("model"), 1, GL_FALSE,
                       glm::value_ptr(stone->modelMatrix));
    stone->draw();
}
