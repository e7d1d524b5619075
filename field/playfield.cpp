#include "field/playfield.hpp"

#include "field/food.hpp"
#include "field/game_events.hpp"
#include "field/stone_controller.hpp"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <string>

using vosk::scene::Food;

Playfield::Playfield() = default;
Playfield::~Playfield() = default;

glm::vec3 Playfield::stoneCellAt(const glm::mat4& transform) const
{
    const glm::vec3 none(-1.0f, -1.0f, -1.0f);
    const glm::vec4& position = transform[3];
    const int x = static_cast<int>(std::roundf(position.x / cellSize));
    const int z = static_cast<int>(std::roundf(position.z / cellSize));
    const int level = static_cast<int>(std::roundf(position.y / cellSize));
    if (!inside(x, z, level))
        return none;
    const Food* food = at(x, z, level);
    if (food == nullptr || food->symbol() == '-' || food->symbol() == 'T')
        return none;
    return glm::vec3(float(x), float(z), float(level));
}

void Playfield::removeStone(int x, int level, int z)
{
    if (!inside(x, z, level) || at(x, z, level) == nullptr)
        return;
    Food& stone = *at(x, z, level);
    // The landed list may hold the last owner; keep the stone alive until the list is cleaned.
    const std::shared_ptr<Food> keepAlive = stone.weak_from_this().lock();
    for (const glm::ivec3& cell : stone.gridCells)
        at(cell.x, cell.y, cell.z) = nullptr;
    releaseStonesAbove(stone);
    stone.gridCells.clear();
    std::erase_if(landedStones, [&stone](const std::shared_ptr<Food>& s) { return s.get() == &stone; });
}

void Playfield::printGrid() const
{
    std::string text;
    text.reserve(levels * (columns * (columns + 1) + 2));
    for (int level = 0; level < levels; ++level) {
        for (int z = columns - 1; z >= 0; --z) {
            for (int x = columns - 1; x >= 0; --x) {
                const Food* food = at(x, z, level);
                text += food ? food->symbol() : 'X';
            }
            text += '\n';
        }
        text += "\n\n";
    }
    std::cout << text;
}

void Playfield::releaseStonesAbove(Food& removed)
{
    const std::vector<glm::ivec3>& own = removed.gridCells;
    for (const glm::ivec3& cell : own) {
        const glm::ivec3 above(cell.x, cell.y, cell.z + 1);
        if (std::find(own.begin(), own.end(), above) != own.end())
            continue;
        if (above.z >= levels || at(above.x, above.y, above.z) == nullptr) {
            std::cout << "not flyng";
            continue;
        }
        at(above.x, above.y, above.z)->fallIfUnsupported(*this);
    }
}

void Playfield::update(float dt)
{
    for (auto i = static_cast<std::ptrdiff_t>(fallingStones.size()) - 1; i >= 0; --i) {
        StoneController& stone = *fallingStones[i];
        stone.fall(dt);
        if (!stone.landed)
            continue;
        GameEvents::record(events, {GameEvent::Kind::ReleasedStoneLanded, stone.cells.front()});
        fallingStones.erase(fallingStones.begin() + i);
    }
}

void Playfield::drawFallingStones()
{
    for (const std::unique_ptr<StoneController>& controller : fallingStones)
        controller->draw();
}
