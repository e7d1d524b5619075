// The gamepad's state frame by frame as player actions: one action per push, moves repeating while held,
// drop_fast held by the trigger or shoulder, the right stick looking around.

#include "game/gamepad_reader.hpp"
#include "tests/game/pad_states.hpp"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr float frame = 0.02f; // seconds

GLFWgamepadstate withAxes(int axis, float value, int otherAxis = GLFW_GAMEPAD_AXIS_LEFT_Y, float otherValue = 0.0f)
{
    GLFWgamepadstate state = GamepadReader::atRest();
    state.axes[otherAxis] = otherValue;
    state.axes[axis] = value;
    return state;
}

std::vector<PlayerAction> asked(const PadActions& actions)
{
    std::vector<PlayerAction> list;
    for (PlayerAction action : allPlayerActions)
        if (actions.asked[indexOf(action)])
            list.push_back(action);
    return list;
}

// How often the action is asked for while the state is held for that many seconds, from rest.
int timesAsked(GLFWgamepadstate state, PlayerAction action, float seconds)
{
    GamepadReader reader;
    reader.read(GamepadReader::atRest(), frame, false);
    int count = 0;
    for (float held = 0.0f; held < seconds; held += frame)
        count += reader.read(state, frame, false).asked[indexOf(action)] ? 1 : 0;
    return count;
}

TEST(GamepadReader, EachPushAsksForItsActionOnce)
{
    struct Case {
        const char* what;
        GLFWgamepadstate state;
        bool gameOver;
        std::vector<PlayerAction> expected;
    };
    const Case cases[] = {
        {"D-pad left", padWith(GLFW_GAMEPAD_BUTTON_DPAD_LEFT), false, {PlayerAction::StoneLeft}},
        {"D-pad right", padWith(GLFW_GAMEPAD_BUTTON_DPAD_RIGHT), false, {PlayerAction::StoneRight}},
        {"D-pad up", padWith(GLFW_GAMEPAD_BUTTON_DPAD_UP), false, {PlayerAction::StoneUp}},
        {"D-pad down", padWith(GLFW_GAMEPAD_BUTTON_DPAD_DOWN), false, {PlayerAction::StoneDown}},
        {"stick left", withAxes(GLFW_GAMEPAD_AXIS_LEFT_X, -0.9f), false, {PlayerAction::StoneLeft}},
        {"stick up (y grows downward)", withAxes(GLFW_GAMEPAD_AXIS_LEFT_Y, -0.8f), false, {PlayerAction::StoneUp}},
        {"stick slanted, mostly right", withAxes(GLFW_GAMEPAD_AXIS_LEFT_X, 0.9f, GLFW_GAMEPAD_AXIS_LEFT_Y, 0.6f), false,
         {PlayerAction::StoneRight}},
        {"stick barely pushed", withAxes(GLFW_GAMEPAD_AXIS_LEFT_X, 0.4f), false, {}},
        {"A", padWith(GLFW_GAMEPAD_BUTTON_A), false, {PlayerAction::RotateX}},
        {"A at game over", padWith(GLFW_GAMEPAD_BUTTON_A), true, {PlayerAction::NewGame}},
        {"B", padWith(GLFW_GAMEPAD_BUTTON_B), false, {PlayerAction::RotateZ}},
        {"Start", padWith(GLFW_GAMEPAD_BUTTON_START), false, {PlayerAction::Pause}},
        {"X and Y do nothing", padWith(GLFW_GAMEPAD_BUTTON_X), false, {}},
        {"right shoulder only holds", padWith(GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER), false, {}},
    };
    for (const Case& c : cases) {
        GamepadReader reader;
        reader.read(GamepadReader::atRest(), frame, c.gameOver);
        EXPECT_EQ(asked(reader.read(c.state, frame, c.gameOver)), c.expected) << c.what;
        EXPECT_EQ(asked(reader.read(c.state, frame, c.gameOver)), std::vector<PlayerAction>{}) << c.what << ", held";
        reader.read(GamepadReader::atRest(), frame, c.gameOver);
        EXPECT_EQ(asked(reader.read(c.state, frame, c.gameOver)), c.expected) << c.what << ", pushed again";
    }
}

TEST(GamepadReader, HeldMovesRepeatLikeAKeyButTurnsDoNot)
{
    const float held = 1.0f; // seconds: the first move, then repeats from 0.35 s on, every 0.12 s
    const int repeats = 1 + static_cast<int>((held - GamepadReader::repeatDelay) / GamepadReader::repeatInterval) + 1;
    EXPECT_NEAR(timesAsked(padWith(GLFW_GAMEPAD_BUTTON_DPAD_LEFT), PlayerAction::StoneLeft, held), repeats, 1);
    EXPECT_NEAR(timesAsked(withAxes(GLFW_GAMEPAD_AXIS_LEFT_Y, 1.0f), PlayerAction::StoneDown, held), repeats, 1);
    EXPECT_EQ(timesAsked(padWith(GLFW_GAMEPAD_BUTTON_DPAD_LEFT), PlayerAction::StoneLeft,
                         GamepadReader::repeatDelay - 2 * frame),
              1);
    EXPECT_EQ(timesAsked(padWith(GLFW_GAMEPAD_BUTTON_A), PlayerAction::RotateX, held), 1);
    EXPECT_EQ(timesAsked(padWith(GLFW_GAMEPAD_BUTTON_START), PlayerAction::Pause, held), 1);
}

TEST(GamepadReader, TriggerOrShoulderHoldsTheFastDrop)
{
    struct Case {
        const char* what;
        GLFWgamepadstate state;
        bool drops;
    };
    const Case cases[] = {
        {"trigger pulled", withAxes(GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER, 0.8f), true},
        {"trigger half way", withAxes(GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER, 0.0f), false},
        {"right shoulder", padWith(GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER), true},
        {"left trigger", withAxes(GLFW_GAMEPAD_AXIS_LEFT_TRIGGER, 1.0f), false},
        {"at rest", GamepadReader::atRest(), false},
    };
    for (const Case& c : cases) {
        GamepadReader reader;
        const PadActions& first = reader.read(c.state, frame, false);
        EXPECT_EQ(first.dropFast, c.drops) << c.what;
        EXPECT_FALSE(first.dropFastLetGo) << c.what;
        const PadActions& after = reader.read(GamepadReader::atRest(), frame, false);
        EXPECT_FALSE(after.dropFast) << c.what;
        EXPECT_EQ(after.dropFastLetGo, c.drops) << c.what;
        EXPECT_FALSE(reader.read(GamepadReader::atRest(), frame, false).dropFastLetGo) << c.what << ": let go only once";
    }
}

TEST(GamepadReader, RightStickLooksAroundBeyondItsDeadZone)
{
    GamepadReader reader;
    const glm::vec2 full = reader.read(withAxes(GLFW_GAMEPAD_AXIS_RIGHT_X, 1.0f), 0.5f, false).look;
    EXPECT_FLOAT_EQ(full.x, GamepadReader::lookSpeed * 0.5f);
    EXPECT_FLOAT_EQ(full.y, 0.0f);
    const glm::vec2 up = reader.read(withAxes(GLFW_GAMEPAD_AXIS_RIGHT_Y, -1.0f), 0.1f, false).look;
    EXPECT_GT(up.y, 0.0f) << "pushed up looks up, as the mouse moved up does";
    EXPECT_EQ(reader.read(withAxes(GLFW_GAMEPAD_AXIS_RIGHT_X, 0.15f), 0.1f, false).look, glm::vec2(0.0f));
    EXPECT_LT(reader.read(withAxes(GLFW_GAMEPAD_AXIS_RIGHT_X, -0.6f), 0.1f, false).look.x, 0.0f);
}

} // namespace
