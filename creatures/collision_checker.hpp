#pragma once
// The two ways a creature leaves play: reaching the chest column, or being crushed by the falling stone.

#include "creatures/animal.hpp"
#include "effects/particle_system.hpp"

#include <memory>

class GameEvents;
class StoneController;

class CollisionChecker {
public:
    static constexpr int chestColumnX = 7; // cell column of the chest
    static constexpr int chestColumnZ = 7;

    // Refers to the game's creature list without owning it.
    explicit CollisionChecker(CreatureList& creatures);

    // Flags the first creature standing in the chest column and writes "LIFEPOINTS--".
    // At most one creature per call; false when none stands there.
    bool chestReached();
    // Flags every creature under a cell of the falling stone; the last one hit gets the particle burst.
    void smash(const StoneController& stone);

    std::unique_ptr<ParticleSystem> effect; // burst of the latest smash; replacing it frees its GL objects
    CreatureList* creatures;
    GameEvents* events = nullptr; // where thefts and smashes are recorded; none while nobody listens

private:
    void burstAt(const glm::vec3& point);
};
