#pragma once
// Turns a gamepad's state, frame by frame, into player actions: a push asks once (moves repeat while
// held, like a key's auto-repeat), the right trigger or shoulder holds drop_fast, the right stick looks
// around as the mouse does.

#include "game/player_action.hpp"

#include <glm/glm.hpp>

#include <array>

struct GLFWgamepadstate; // GLFW's; its header stays out of here, as it would bring GL's before GLEW's

// What the pad asked for in one frame.
struct PadActions {
    std::array<bool, playerActionCount> asked{}; // once each in this frame
    bool dropFast = false;      // held now
    bool dropFastLetGo = false; // held in the previous frame, not now
    glm::vec2 look{0.0f};       // turn like a cursor offset in pixels: x right, y up
};

class GamepadReader {
public:
    static constexpr float pushThreshold = 0.5f;    // stick or trigger travel that counts as a push
    static constexpr float lookDeadZone = 0.2f;     // right-stick travel ignored (sticks rarely rest at 0)
    static constexpr float lookSpeed = 480.0f;      // cursor pixels per second at full tilt (120 degrees)
    static constexpr float repeatDelay = 0.35f;     // seconds a move is held before it repeats
    static constexpr float repeatInterval = 0.12f;  // seconds between repeated moves

    // The actions of this frame, given the pad's state now and the time since the previous frame.
    // At game over, A asks for a new game instead of a turn.
    const PadActions& read(const GLFWgamepadstate& state, float timeStep, bool gameOver);
    // A pad nobody touches: buttons up, sticks centred, triggers at rest.
    static GLFWgamepadstate atRest();

private:
    // One button-like input and how long it has been held.
    struct HeldInput {
        bool down = false;
        float heldFor = 0.0f;      // seconds
        float nextRepeat = 0.0f;   // seconds of holding at which it asks again
    };

    void readMoves(const GLFWgamepadstate& state, float timeStep);
    void readButtons(const GLFWgamepadstate& state, bool gameOver);
    void readDrop(const GLFWgamepadstate& state);
    void readLook(const GLFWgamepadstate& state, float timeStep);
    static bool pushedOnce(HeldInput& input, bool down);
    static bool pushedOrRepeated(HeldInput& input, bool down, float timeStep);

    PadActions actions_;
    std::array<HeldInput, 4> moves_{}; // left, right, up, down
    HeldInput turnX_;
    HeldInput turnZ_;
    HeldInput start_;
    bool dropFast_ = false;
};
