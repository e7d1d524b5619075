#include "app/gamepad_poll.hpp"

#include "game/game.hpp"

#include <GLFW/glfw3.h>

namespace {

const char* nameOf(int joystick)
{
    const char* name = glfwGetJoystickName(joystick);
    return name != nullptr ? name : "unnamed";
}

} // namespace

void GamepadPoll::poll(Game& game, float timeStep)
{
    noteChanges();
    const int pad = firstGamepad();
    GLFWgamepadstate state{};
    if (pad >= 0 && glfwGetGamepadState(pad, &state) == GLFW_TRUE) {
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
        const bool present = glfwJoystickPresent(joystick) == GLFW_TRUE;
        if (present == present_[joystick])
            continue;
        present_[joystick] = present;
        if (!present)
            notes_ << "Quarvel: gamepad " << joystick + 1 << " disconnected\n";
        else if (glfwJoystickIsGamepad(joystick))
            notes_ << "Quarvel: gamepad " << joystick + 1 << " connected: " << glfwGetGamepadName(joystick) << '\n';
        else
            notes_ << "Quarvel: joystick " << joystick + 1 << " connected (" << nameOf(joystick)
                   << "), but it has no gamepad mapping and is not used\n";
    }
}

int GamepadPoll::firstGamepad() const
{
    for (int joystick = 0; joystick < joystickSlots; ++joystick)
        if (present_[joystick] && glfwJoystickIsGamepad(joystick))
            return joystick;
    return -1;
}
