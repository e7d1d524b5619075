#include "game/gamepad_reader.hpp"

#include <GLFW/glfw3.h>

#include <cmath>

namespace {

bool pressed(const GLFWgamepadstate& state, int button)
{
    return state.buttons[button] == GLFW_PRESS;
}

// The stick's direction when it is pushed far enough, along its stronger axis only, so a slightly
// slanted push moves once, not twice.
struct StickDirection {
    bool left = false;
    bool right = false;
    bool up = false;
    bool down = false;
};

StickDirection directionOf(float x, float y)
{
    StickDirection direction;
    if (std::fabs(x) >= std::fabs(y)) {
        direction.left = x <= -GamepadReader::pushThreshold;
        direction.right = x >= GamepadReader::pushThreshold;
    } else {
        direction.up = y <= -GamepadReader::pushThreshold; // stick y grows downward
        direction.down = y >= GamepadReader::pushThreshold;
    }
    return direction;
}

// Travel beyond the dead zone, rescaled to run from 0 to 1 again.
float beyondDeadZone(float travel)
{
    const float size = std::fabs(travel);
    if (size <= GamepadReader::lookDeadZone)
        return 0.0f;
    return std::copysign((size - GamepadReader::lookDeadZone) / (1.0f - GamepadReader::lookDeadZone), travel);
}

} // namespace

GLFWgamepadstate GamepadReader::atRest()
{
    GLFWgamepadstate state{};
    state.axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] = -1.0f;
    state.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = -1.0f;
    return state;
}

const PadActions& GamepadReader::read(const GLFWgamepadstate& state, float timeStep, bool gameOver)
{
    actions_ = PadActions{};
    readMoves(state, timeStep);
    readButtons(state, gameOver);
    readDrop(state);
    readLook(state, timeStep);
    return actions_;
}

void GamepadReader::readMoves(const GLFWgamepadstate& state, float timeStep)
{
    const StickDirection stick = directionOf(state.axes[GLFW_GAMEPAD_AXIS_LEFT_X], state.axes[GLFW_GAMEPAD_AXIS_LEFT_Y]);
    const bool down[4] = {
        stick.left || pressed(state, GLFW_GAMEPAD_BUTTON_DPAD_LEFT),
        stick.right || pressed(state, GLFW_GAMEPAD_BUTTON_DPAD_RIGHT),
        stick.up || pressed(state, GLFW_GAMEPAD_BUTTON_DPAD_UP),
        stick.down || pressed(state, GLFW_GAMEPAD_BUTTON_DPAD_DOWN),
    };
    constexpr PlayerAction moves[4] = {PlayerAction::StoneLeft, PlayerAction::StoneRight, PlayerAction::StoneUp,
                                       PlayerAction::StoneDown};
    for (std::size_t i = 0; i < moves_.size(); ++i)
        actions_.asked[indexOf(moves[i])] = pushedOrRepeated(moves_[i], down[i], timeStep);
}

void GamepadReader::readButtons(const GLFWgamepadstate& state, bool gameOver)
{
    const PlayerAction a = gameOver ? PlayerAction::NewGame : PlayerAction::RotateX;
    actions_.asked[indexOf(a)] = pushedOnce(turnX_, pressed(state, GLFW_GAMEPAD_BUTTON_A));
    actions_.asked[indexOf(PlayerAction::RotateZ)] = pushedOnce(turnZ_, pressed(state, GLFW_GAMEPAD_BUTTON_B));
    actions_.asked[indexOf(PlayerAction::Pause)] = pushedOnce(start_, pressed(state, GLFW_GAMEPAD_BUTTON_START));
}

void GamepadReader::readDrop(const GLFWgamepadstate& state)
{
    // A trigger rests at -1 (0 where the mapping has no trigger), so only real travel counts.
    const bool held = state.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] >= pushThreshold ||
                      pressed(state, GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER);
    actions_.dropFast = held;
    actions_.dropFastLetGo = dropFast_ && !held;
    dropFast_ = held;
}

void GamepadReader::readLook(const GLFWgamepadstate& state, float timeStep)
{
    const float x = beyondDeadZone(state.axes[GLFW_GAMEPAD_AXIS_RIGHT_X]);
    const float y = beyondDeadZone(state.axes[GLFW_GAMEPAD_AXIS_RIGHT_Y]);
    actions_.look = glm::vec2(x, -y) * (lookSpeed * timeStep); // pushed up looks up
}

bool GamepadReader::pushedOnce(HeldInput& input, bool down)
{
    const bool pushed = down && !input.down;
    input.down = down;
    return pushed;
}

bool GamepadReader::pushedOrRepeated(HeldInput& input, bool down, float timeStep)
{
    if (!down) {
        input = HeldInput{};
        return false;
    }
    if (!input.down) {
        input = HeldInput{true, 0.0f, repeatDelay};
        return true;
    }
    input.heldFor += timeStep;
    if (input.heldFor < input.nextRepeat)
        return false;
    input.nextRepeat += repeatInterval;
    return true;
}
