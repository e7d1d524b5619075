#include "creatures/collision_checker.hpp"

#include "field/game_events.hpp"
#include "field/playfield.hpp"
#include "field/stone_controller.hpp"

#include <cmath>
#include <iostream>

namespace {
// Cell column (x, z) of a world point, halves rounded away from zero.
glm::ivec2 columnOf(const glm::vec3& point)
{
    return glm::ivec2(static_cast<int>(std::roundf(point.x / Playfield::cellSize)),
                      static_cast<int>(std::roundf(point.z / Playfield::cellSize)));
}

bool crushedBy(const Animal& creature, const glm::vec3& cell)
{
    const glm::vec3 point = creature.position();
    return columnOf(cell) == columnOf(point) && cell.y <= point.y + creature.height();
}
} // namespace

CollisionChecker::CollisionChecker(CreatureList& creatures) : creatures(&creatures) {}

bool CollisionChecker::chestReached()
{
    const glm::ivec2 chest(chestColumnX, chestColumnZ);
    for (const std::unique_ptr<Animal>& creature : *creatures) {
        if (columnOf(creature->position()) == chest) {
            creature->removed = true;
            std::cout << "LIFEPOINTS--";
            const glm::vec3 chestPoint(chest.x * Playfield::cellSize, 0.0f, chest.y * Playfield::cellSize);
            GameEvents::record(events, {GameEvent::Kind::ChestRobbed, chestPoint});
            return true;
        }
    }
    return false;
}

void CollisionChecker::smash(const StoneController& stone)
{
    for (const std::unique_ptr<Animal>& creature : *creatures) {
        for (const glm::vec3& cell : stone.cells) {
            if (crushedBy(*creature, cell)) {
                creature->removed = true;
                burstAt(creature->position());
                break; // more cells on the same creature would place the same burst again
            }
        }
    }
}

void CollisionChecker::burstAt(const glm::vec3& point)
{
    auto burst = std::make_unique<ParticleSystem>(static_cast<int>(point.x), static_cast<int>(point.y),
                                                  static_cast<int>(point.z));
    burst->initBuffers();
    GameEvents::record(events, {GameEvent::Kind::CreatureSmashed, burst->emitter});
    effect = std::move(burst);
}
