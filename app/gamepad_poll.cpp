#include "app/gamepad_poll.hpp"

#include "game/game.hpp"

#include <GLFW/glfw3.h>

namespace {

std::string nameOrUnnamed(const char* name)
{
    return name != nullptr ? name : "unnamed";
}

} // namespace

JoystickSlots JoystickSlots::glfw()
{
    return {
        [](int joystick) { return glfwJoystickPresent(joystick) == GLFW_TRUE; },
        [](int joystick) { return glfwJoystickIsGamepad(joystick) == GLFW_TRUE; },
        [](int joystick) {
            return nameOrUnnamed(glfwJoystickIsGamepad(joystick) ? glfwGetGamepadName(joystick)
                                                                 : glfwGetJoystickName(joystick));
        },
        [](int joystick, GLFWgamepadstate& state) { return glfwGetGamepadState(joystick, &state) == GLFW_TRUE; },
    };
}

void GamepadPoll::poll(Game& game, float timeStep)
{
    noteChanges();
    const int pad = firstGamepad();
    GLFWgamepadstate state{};
    if (pad >= 0 && slots_.state(pad, state)) {
        game.padInput(state, timeStep);
        padInUse_ = true;
    } else if (padInUse_) {
        game.padInput(GamepadReader::atRest(), timeStep); // lets go of whatever the pad held
        padInUse_ = false;
    }
}

void GamepadPoll::noteChanges()
{
    for (int joystick = 0; joystick < joystickSlots; ++joystick) {
        const bool present = slots_.present(joystick);
        if (present == present_[joystick])
            continue;
        present_[joystick] = present;
        const int number = joystick + 1;
        if (!present)
            notes_ << "Quarvel: pad " << number << " disconnected\n";
        else if (slots_.isGamepad(joystick))
            notes_ << "Quarvel: gamepad " << number << " connected: " << slots_.name(joystick) << '\n';
        else
            notes_ << "Quarvel: joystick " << number << " connected (" << slots_.name(joystick)
                   << "), but it has no gamepad mapping and is not used\n";
    }
}

int GamepadPoll::firstGamepad() const
{
    for (int joystick = 0; joystick < joystickSlots; ++joystick)
        if (present_[joystick] && slots_.isGamepad(joystick))
            return joystick;
    return -1;
}
