#pragma once
// Timed source of one creature kind on the rim of the spawn area; also places rings of beetles on demand.

#include "creatures/animal.hpp"
#include "creatures/random_event_maker.hpp"
#include "field/game_events.hpp"

class SpawnArea;

namespace vosk {

class Spawner : public RandomEventMaker {
public:
    // Where every spawned creature heads for, world units.
    static constexpr glm::vec3 chestPoint{700.0f, 0.0f, 700.0f};

    // Refers to the area and the list without owning them; both must outlive the spawner.
    Spawner(SpawnArea& area, CreatureList& creatures, bool spawnsSquirrel);

    // One creature at a random rim point, announced with "Spawning on x|y|z".
    void onEvent() override;
    // 106 beetles in rings around the field, for testing the game under load.
    void massSpawn();

    SpawnArea* area;
    CreatureList* creatures;
    bool spawnsSquirrel;
    GameEvents* events = nullptr; // where arrivals are recorded; none while nobody listens

private:
    void announce(const glm::mat4& placement) const;
    void addBeetle(const glm::vec3& position, const glm::vec3& target, bool announced);
    void arrived(CreatureKind kind) const;
};

} // namespace vosk
