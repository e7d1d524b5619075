#pragma once
// What happened in the game, recorded by the code where it happened, for those who react to it (the sound).

#include <glm/glm.hpp>

#include <vector>

// The kinds of creature a spawner places; told by the spawner, so nobody has to ask a creature its type.
enum class CreatureKind { Beetle, Squirrel };

struct GameEvent {
    enum class Kind {
        StoneMoved,          // the falling stone took a sideways step (where: its pivot after the step)
        StoneTurned,         // the falling stone turned (where: its pivot after the turn)
        StoneLanded,         // the falling stone came to rest (where: its pivot; stoneCells: its cubes)
        ReleasedStoneLanded, // a stone that fell again came to rest (where: its pivot)
        CreatureSmashed,     // the falling stone crushed a creature (where: the particle burst)
        ChestRobbed,         // a creature reached the chest column (where: the chest column on the ground)
        CreatureArrived,     // a creature was placed on the rim (where: the creature; creature: its kind)
        SquirrelGnawing,     // a squirrel gnaws at a stone in this frame (where: the squirrel)
        GameOver,            // the last lifepoint was lost
    };

    Kind what;
    glm::vec3 where{0.0f}; // world units
    int stoneCells = 0;
    CreatureKind creature = CreatureKind::Beetle;
};

class GameEvents {
public:
    // Appends to list; an object that nobody listens to holds no list and records nothing.
    static void record(GameEvents* list, const GameEvent& event);

    void add(const GameEvent& event) { events_.push_back(event); }
    // Forgets every event and keeps the memory, so that a frame of play allocates nothing.
    void clear() { events_.clear(); }

    // In the order they happened.
    const std::vector<GameEvent>& all() const { return events_; }
    // The first or the last event of that kind, null when there is none.
    const GameEvent* first(GameEvent::Kind what) const;
    const GameEvent* last(GameEvent::Kind what) const;
    bool contains(GameEvent::Kind what) const { return first(what) != nullptr; }

private:
    std::vector<GameEvent> events_;
};
