// The gamepad poll on joystick slots of the test's own: pads that come and go are noted once each, the
// first gamepad drives the game, and a pad that goes away lets go of what it held.

#include "app/gamepad_poll.hpp"
#include "tests/game/game_fixture.hpp"
#include "tests/game/pad_states.hpp"

#include <map>
#include <sstream>

namespace {

constexpr float frame = 0.02f; // seconds

// Joysticks plugged into slots by the test.
struct FakeSlots {
    struct Joystick {
        std::string name;
        bool gamepad = true;
        GLFWgamepadstate state = GamepadReader::atRest();
    };
    std::map<int, Joystick> plugged;
    int stateReads = 0;

    JoystickSlots slots()
    {
        return {
            [this](int slot) { return plugged.count(slot) > 0; },
            [this](int slot) { return plugged.count(slot) > 0 && plugged.at(slot).gamepad; },
            [this](int slot) { return plugged.at(slot).name; },
            [this](int slot, GLFWgamepadstate& state) {
                ++stateReads;
                state = plugged.at(slot).state;
                return true;
            },
        };
    }
};

class GamepadPollTest : public GameTest {
protected:
    // One poll; returns what the game wrote on standard output.
    std::string poll()
    {
        testing::internal::CaptureStdout();
        gamepads.poll(*game, frame);
        return testing::internal::GetCapturedStdout();
    }

    FakeSlots fake;
    std::ostringstream notes;
    GamepadPoll gamepads{notes, fake.slots()};
};

TEST_F(GamepadPollTest, PadsThatComeAndGoAreNotedAndAPadGoneLetsGo)
{
    EXPECT_EQ(poll(), "");
    EXPECT_EQ(notes.str(), "");
    GLFWgamepadstate trigger = GamepadReader::atRest();
    trigger.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = 1.0f;
    fake.plugged[3] = {"Late Pad", true, trigger};
    poll();
    EXPECT_FLOAT_EQ(game->stoneController->speed, game->stoneController->fastSpeed);
    fake.plugged.erase(3);
    poll();
    poll();
    EXPECT_FLOAT_EQ(game->stoneController->speed, game->stoneController->baseSpeed) << "the pad's drop ends with it";
    EXPECT_EQ(notes.str(), "Quarvel: gamepad 4 connected: Late Pad\nQuarvel: pad 4 disconnected\n");
}

// Pads already there at the first poll, as at start.
TEST_F(GamepadPollTest, TheFirstGamepadDrivesAndAJoystickWithoutMappingIsNotUsed)
{
    fake.plugged[0] = {"Flight Stick", false, padWith(GLFW_GAMEPAD_BUTTON_START)};
    fake.plugged[2] = {"Second Pad", true, padWith(GLFW_GAMEPAD_BUTTON_B)};
    fake.plugged[1] = {"First Pad", true, padWith(GLFW_GAMEPAD_BUTTON_START)};
    poll();
    EXPECT_TRUE(game->paused) << "Start on the first gamepad";
    EXPECT_EQ(fake.stateReads, 1);
    EXPECT_EQ(notes.str(), "Quarvel: joystick 1 connected (Flight Stick), but it has no gamepad mapping and is not used\n"
                           "Quarvel: gamepad 2 connected: First Pad\n"
                           "Quarvel: gamepad 3 connected: Second Pad\n");
}

} // namespace
