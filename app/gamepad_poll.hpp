#pragma once
// Looks for gamepads every frame: notes pads that come and go on standard error (once each) and hands
// the first gamepad's state to the game.

#include <array>
#include <functional>
#include <ostream>
#include <string>
#include <utility>

class Game;
struct GLFWgamepadstate;

// What the poll asks about the joystick slots: GLFW's answers in the game, a test's own in tests.
struct JoystickSlots {
    std::function<bool(int)> present;
    std::function<bool(int)> isGamepad;          // has a gamepad mapping
    std::function<std::string(int)> name;        // the gamepad's or joystick's name
    std::function<bool(int, GLFWgamepadstate&)> state; // false when it cannot be read

    // GLFW's joystick functions.
    static JoystickSlots glfw();
};

class GamepadPoll {
public:
    static constexpr int joystickSlots = 16; // GLFW's joystick ids 0 to 15

    explicit GamepadPoll(std::ostream& notes, JoystickSlots slots = JoystickSlots::glfw())
        : notes_(notes), slots_(std::move(slots))
    {
    }

    // Once a frame after the events: notes changes, then the state of the first gamepad (or, once, a
    // pad at rest when the last one went away) goes to the game.
    void poll(Game& game, float timeStep);

private:
    void noteChanges();
    int firstGamepad() const;

    std::ostream& notes_;
    JoystickSlots slots_;
    std::array<bool, joystickSlots> present_{}; // as last noted
    bool padInUse_ = false;
};
