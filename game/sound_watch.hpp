#pragma once
// Tells the sound layer what the player should hear, from the game's screen and the events recorded
// where things happened; changes nothing.

#include "audio/sound_output.hpp"
#include "ui/screen_state.hpp"

#include <glm/glm.hpp>

#include <optional>

class Camera;
class GameEvents;

class SoundWatch {
public:
    SoundOutput* output = nullptr; // not owned; nothing is heard while it is null

    // Every frame before the pause gate and before the rules' events: the listener at the current
    // camera, pause and resume, and the stone's moves and turns made by the keys since the last frame.
    void frameStarts(const Camera& camera, ScreenState screen, const GameEvents& events);
    // After an unpaused frame's rules: landings, smashes, chest visits, game over, arrivals, gnawing.
    void frameEnds(const GameEvents& events);
    // Key M.
    void toggleMute();

private:
    void hearScreen(ScreenState screen);
    void hearSteering(const GameEvents& events);
    void hearLandings(const GameEvents& events);
    void hearContacts(const GameEvents& events);
    void hearArrivals(const GameEvents& events);
    void hearGnawing(const GameEvents& events);
    void tell(Happening what, glm::vec3 where = glm::vec3(0.0f), int stoneCells = 0);

    std::optional<ScreenState> screen_; // as the last frame began; none before the first look
};
