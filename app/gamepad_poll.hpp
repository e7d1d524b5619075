#pragma once
// Looks for gamepads every frame: notes pads that come and go on standard error (once each) and hands
// the first gamepad's state to the game.

#include <array>
#include <ostream>

class Game;

class GamepadPoll {
public:
    static constexpr int joystickSlots = 16; // GLFW's joystick ids 0 to 15

    explicit GamepadPoll(std::ostream& notes) : notes_(notes) {}

    // Once a frame after the events: notes changes, then the state of the first gamepad (or, once, a
    // pad at rest when the last one went away) goes to the game.
    void poll(Game& game, float timeStep);

private:
    void noteChanges();
    int firstGamepad() const;

    std::ostream& notes_;
    std::array<bool, joystickSlots> present_{}; // as last noted
    bool padInUse_ = false;
};
