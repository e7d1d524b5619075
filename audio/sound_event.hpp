#pragma once
// What happened in the game that a player should hear, and where.

#include <glm/glm.hpp>

enum class Happening {
    StoneMoved,
    StoneTurned,
    StoneLanded,
    ReleasedStoneLanded,
    CreatureSmashed,
    ChestReached,
    BeetleArrived,
    SquirrelArrived,
    GameOver,
    Paused,
    Resumed,
};

struct SoundEvent {
    Happening what;
    glm::vec3 where{0.0f}; // world units
    int stoneCells = 4;    // cubes of the stone, for landings
};
