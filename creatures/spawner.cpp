#include "creatures/spawner.hpp"

#include "creatures/lucanus_cervus.hpp"
#include "creatures/spawn_area.hpp"
#include "creatures/squirrel.hpp"

#include <glm/gtc/matrix_transform.hpp>

#include <iostream>

namespace vosk {

namespace {
// Rings of massSpawn, world units.
constexpr int ringStep = 50;       // along x, between the beetles of the near and far rows
constexpr int rowEnd = 1450;       // last x of the near and far rows
constexpr float nearRow = -400.0f; // z of the near row
constexpr float farRow = 1900.0f;  // z of the far row
constexpr int sideStep = 100;      // along z, between the beetles of the two side rows
constexpr int sideStart = -400;
constexpr int sideEnd = 1800;
constexpr float leftRow = -400.0f; // x of the left row
constexpr float rightRow = 1900.0f;
const glm::vec3 sideTarget(400.0f, 0.0f, 400.0f);

glm::mat4 placedAt(const glm::vec3& position)
{
    return glm::translate(glm::mat4(1.0f), position);
}
} // namespace

Spawner::Spawner(SpawnArea& area, CreatureList& creatures, bool spawnsSquirrel)
    : area(&area), creatures(&creatures), spawnsSquirrel(spawnsSquirrel)
{
}

void Spawner::onEvent()
{
    const glm::mat4 placement = placedAt(area->randomRimPoint());
    announce(placement);
    if (spawnsSquirrel)
        creatures->push_back(std::make_unique<Squirrel>(placement, chestPoint));
    else
        creatures->push_back(std::make_unique<LucanusCervus>(placement, chestPoint));
    arrived(spawnsSquirrel ? CreatureKind::Squirrel : CreatureKind::Beetle);
}

void Spawner::massSpawn()
{
    for (int i = 0; i <= rowEnd; i += ringStep) {
        const float x = static_cast<float>(i);
        addBeetle(glm::vec3(x, 0.0f, nearRow), chestPoint, true);
        addBeetle(glm::vec3(x, 0.0f, farRow), chestPoint, false);
    }
    for (int j = sideStart; j <= sideEnd; j += sideStep) {
        const float z = static_cast<float>(j);
        addBeetle(glm::vec3(leftRow, 0.0f, z), sideTarget, false);
        addBeetle(glm::vec3(rightRow, 0.0f, z), sideTarget, false);
    }
}

void Spawner::announce(const glm::mat4& placement) const
{
    const glm::vec4& p = placement[3];
    std::cout << "Spawning on " << p.x << "|" << p.y << "|" << p.z << "\n";
}

void Spawner::addBeetle(const glm::vec3& position, const glm::vec3& target, bool announced)
{
    const glm::mat4 placement = placedAt(position);
    if (announced)
        announce(placement);
    creatures->push_back(std::make_unique<LucanusCervus>(placement, target));
    arrived(CreatureKind::Beetle);
}

// The creature just added, where it stands (a squirrel's body point lies above its rim point).
void Spawner::arrived(CreatureKind kind) const
{
    const glm::vec3 where = creatures->back()->position();
    GameEvents::record(events, {.what = GameEvent::Kind::CreatureArrived, .where = where, .creature = kind});
}

} // namespace vosk
