#include "game/sound_watch.hpp"

#include "creatures/collision_checker.hpp"
#include "creatures/squirrel.hpp"
#include "effects/particle_system.hpp"
#include "field/food.hpp"
#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "game/game.hpp"

#include <algorithm>
#include <optional>

namespace {

bool sameColumn(glm::vec3 a, glm::vec3 b)
{
    return a.x == b.x && a.z == b.z;
}

} // namespace

void SoundWatch::frameStarts(const Game& game)
{
    if (output == nullptr)
        return;
    const Camera& camera = *game.currentCamera;
    output->listenFrom(camera.position, camera.front, camera.up);
    // A game that ends, or one that starts after it, flips the pause flag without the player asking.
    const bool playing = game.lifepoints > 0 && lifepoints_ > 0;
    if (game.paused != paused_ && playing)
        tell(game.paused ? Happening::Paused : Happening::Resumed);
    if (game.paused)
        output->gnawingAt(std::nullopt);
    paused_ = game.paused;
    hearSteering(*game.stoneController);

    const StoneController& stone = *game.stoneController;
    stone_ = stone.stone.get();
    pivot_ = stone.cells.front();
    rotation_ = stone.stone->pivotRotation;
    landed_ = stone.landed;
    effect_ = game.collisionChecker->effect.get();
    lifepoints_ = game.lifepoints;
    score_ = game.score;
    creatures_ = game.creatures.size();
    falling_.clear();
    for (const std::unique_ptr<StoneController>& released : game.playfield.fallingStones)
        falling_.emplace_back(released.get(), released->cells.front());
}

void SoundWatch::frameEnds(const Game& game)
{
    if (output == nullptr)
        return;
    hearLandings(game);
    hearContacts(game);
    hearArrivals(game);
    hearGnawing(game);
}

void SoundWatch::toggleMute()
{
    if (output != nullptr)
        output->setMuted(!output->muted());
}

void SoundWatch::hearSteering(const StoneController& stone)
{
    if (stone.stone.get() != stone_ || stone.landed)
        return;
    // Every quarter turn shows, even one that leaves the same cells filled (a bar turned about its length).
    if (stone.stone->pivotRotation != rotation_)
        tell(Happening::StoneTurned, stone.cells.front());
    else if (!sameColumn(stone.cells.front(), pivot_))
        tell(Happening::StoneMoved, stone.cells.front());
}

void SoundWatch::hearLandings(const Game& game)
{
    const StoneController& stone = *game.stoneController;
    if (stone.landed && (!landed_ || stone.stone.get() != stone_))
        tell(Happening::StoneLanded, stone.cells.front(), static_cast<int>(stone.cells.size()));

    const auto& stillFalling = game.playfield.fallingStones;
    for (const auto& [released, pivot] : falling_) {
        const bool gone = std::none_of(stillFalling.begin(), stillFalling.end(),
                                       [&](const auto& c) { return c.get() == released; });
        if (gone) {
            tell(Happening::ReleasedStoneLanded, pivot);
            break; // stones landing together make one thud
        }
    }
}

void SoundWatch::hearContacts(const Game& game)
{
    const ParticleSystem* effect = game.collisionChecker->effect.get();
    if (effect != nullptr && effect != effect_)
        tell(Happening::CreatureSmashed, effect->emitter);
    if (game.lifepoints < lifepoints_ && game.lifepoints == 0) {
        tell(Happening::GameOver); // the last theft is told by the end itself
    } else if (game.lifepoints < lifepoints_) {
        const glm::vec3 chest(CollisionChecker::chestColumnX * Playfield::cellSize, 0.0f,
                              CollisionChecker::chestColumnZ * Playfield::cellSize);
        tell(Happening::ChestReached, chest);
    }
}

// New creatures join the end of the list; those that left are counted by the score they earned.
void SoundWatch::hearArrivals(const Game& game)
{
    const auto left = static_cast<std::size_t>(std::max(0, (game.score - score_) / Game::pointsPerCreature));
    const std::size_t count = game.creatures.size();
    const std::size_t before = creatures_ - std::min(creatures_, left); // those that stayed
    const std::size_t arrived = count > before ? count - before : 0;
    bool beetle = false;
    bool squirrel = false;
    for (std::size_t i = count - arrived; i < count; ++i) {
        const Animal& creature = *game.creatures[i];
        const bool isSquirrel = dynamic_cast<const Squirrel*>(&creature) != nullptr;
        if (isSquirrel && !squirrel)
            tell(Happening::SquirrelArrived, creature.position());
        if (!isSquirrel && !beetle)
            tell(Happening::BeetleArrived, creature.position());
        (isSquirrel ? squirrel : beetle) = true;
    }
}

void SoundWatch::hearGnawing(const Game& game)
{
    for (const std::unique_ptr<Animal>& creature : game.creatures) {
        const auto* squirrel = dynamic_cast<const Squirrel*>(creature.get());
        if (squirrel != nullptr && squirrel->gnawing) {
            output->gnawingAt(squirrel->position());
            return;
        }
    }
    output->gnawingAt(std::nullopt);
}

void SoundWatch::tell(Happening what, glm::vec3 where, int stoneCells)
{
    output->tell(SoundEvent{what, where, stoneCells});
}
