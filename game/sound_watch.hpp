#pragma once
// Watches a running game for what the player should hear and tells the sound layer; changes nothing.

#include "audio/sound_output.hpp"

#include <glm/glm.hpp>

#include <utility>
#include <vector>

class Game;
class StoneController;
class ParticleSystem;
namespace vosk::scene {
class Food;
}

class SoundWatch {
public:
    SoundOutput* output = nullptr; // not owned; nothing is heard while it is null

    // Every frame before the pause gate: the listener at the current camera, pause and resume, and the
    // stone's moves and turns made by the keys since the last frame. Takes the snapshot for frameEnds.
    void frameStarts(const Game& game);
    // After an unpaused frame's rules: landings, smashes, chest visits, game over, arrivals, gnawing.
    void frameEnds(const Game& game);
    // Key M.
    void toggleMute();

private:
    void hearSteering(const StoneController& stone);
    void hearLandings(const Game& game);
    void hearContacts(const Game& game);
    void hearArrivals(const Game& game);
    void hearGnawing(const Game& game);
    void tell(Happening what, glm::vec3 where = glm::vec3(0.0f), int stoneCells = 0);

    // The state at the start of the frame.
    const vosk::scene::Food* stone_ = nullptr;
    glm::vec3 pivot_{0.0f};
    glm::mat4 rotation_{1.0f};
    bool landed_ = false;
    bool paused_ = false;
    const ParticleSystem* effect_ = nullptr;
    int lifepoints_ = 0;
    int score_ = 0;
    std::size_t creatures_ = 0;
    std::vector<std::pair<const StoneController*, glm::vec3>> falling_; // released stones and their pivots
};
