#include "game/sound_watch.hpp"

#include "field/game_events.hpp"
#include "game/camera.hpp"

using Kind = GameEvent::Kind;

void SoundWatch::frameStarts(const Camera& camera, ScreenState screen, const GameEvents& events)
{
    if (output == nullptr)
        return;
    output->listenFrom(camera.position, camera.front, camera.up);
    hearScreen(screen);
    hearSteering(events);
}

void SoundWatch::frameEnds(const GameEvents& events)
{
    if (output == nullptr)
        return;
    hearLandings(events);
    hearContacts(events);
    hearArrivals(events);
    hearGnawing(events);
}

void SoundWatch::toggleMute()
{
    if (output != nullptr)
        output->setMuted(!output->muted());
}

// Only the player's O is heard: a game that ends, or a new one after it, changes the screen by itself.
void SoundWatch::hearScreen(ScreenState screen)
{
    if (screen_ == ScreenState::Playing && screen == ScreenState::Paused)
        tell(Happening::Paused);
    if (screen_ == ScreenState::Paused && screen == ScreenState::Playing)
        tell(Happening::Resumed);
    if (screen != ScreenState::Playing)
        output->gnawingAt(std::nullopt);
    screen_ = screen;
}

// One click per frame however many keys came: a turn rather than a step, where the stone is now.
void SoundWatch::hearSteering(const GameEvents& events)
{
    const GameEvent* latest = nullptr;
    bool turned = false;
    for (const GameEvent& event : events.all()) {
        if (event.what != Kind::StoneMoved && event.what != Kind::StoneTurned)
            continue;
        latest = &event;
        turned = turned || event.what == Kind::StoneTurned;
    }
    if (latest != nullptr)
        tell(turned ? Happening::StoneTurned : Happening::StoneMoved, latest->where);
}

void SoundWatch::hearLandings(const GameEvents& events)
{
    if (const GameEvent* landed = events.first(Kind::StoneLanded))
        tell(Happening::StoneLanded, landed->where, landed->stoneCells);
    // Stones landing together make one thud, where the one released first comes down (the field lets
    // the last released fall first).
    if (const GameEvent* released = events.last(Kind::ReleasedStoneLanded))
        tell(Happening::ReleasedStoneLanded, released->where);
}

void SoundWatch::hearContacts(const GameEvents& events)
{
    // One crunch, at the burst that stays on screen.
    if (const GameEvent* smash = events.last(Kind::CreatureSmashed))
        tell(Happening::CreatureSmashed, smash->where);
    if (events.contains(Kind::GameOver))
        tell(Happening::GameOver); // the last theft is told by the end itself
    else if (const GameEvent* theft = events.first(Kind::ChestRobbed))
        tell(Happening::ChestReached, theft->where);
}

// The first arrival of each kind in a frame is heard; a ring of beetles at once is one sound.
void SoundWatch::hearArrivals(const GameEvents& events)
{
    bool beetle = false;
    bool squirrel = false;
    for (const GameEvent& event : events.all()) {
        if (event.what != Kind::CreatureArrived)
            continue;
        const bool isSquirrel = event.creature == CreatureKind::Squirrel;
        bool& heard = isSquirrel ? squirrel : beetle;
        if (!heard)
            tell(isSquirrel ? Happening::SquirrelArrived : Happening::BeetleArrived, event.where);
        heard = true;
    }
}

void SoundWatch::hearGnawing(const GameEvents& events)
{
    const GameEvent* gnawing = events.first(Kind::SquirrelGnawing);
    output->gnawingAt(gnawing != nullptr ? std::optional<glm::vec3>(gnawing->where) : std::nullopt);
}

void SoundWatch::tell(Happening what, glm::vec3 where, int stoneCells)
{
    output->tell(SoundEvent{what, where, stoneCells});
}
