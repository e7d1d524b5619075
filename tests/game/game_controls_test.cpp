// A real game asked through a player's binding table and through gamepad states handed in the way the
// application's poll hands them: rebound keys, debugging keys giving way, and the pad driving moves,
// turns, drop, camera, pause and a new game.

#include "tests/game/game_fixture.hpp"

#include "field/french_fries.hpp"
#include "game/key_states.hpp"
#include "tests/game/pad_states.hpp"

#include <algorithm>

namespace {

constexpr float frame = 0.02f; // seconds

class GameControlsTest : public GameTest {
protected:
    void TearDown() override
    {
        std::fill(std::begin(keyStates), std::end(keyStates), false);
        glfwSetWindowShouldClose(testWindow(), GLFW_FALSE);
    }

    // Pushes the pad's button for one frame and lets go in the next; returns what the game wrote.
    std::string push(int button)
    {
        testing::internal::CaptureStdout();
        game->padInput(padWith(button), frame);
        game->padInput(GamepadReader::atRest(), frame);
        return testing::internal::GetCapturedStdout();
    }

    std::string releaseKey(int key)
    {
        testing::internal::CaptureStdout();
        release(key);
        return testing::internal::GetCapturedStdout();
    }
};

TEST_F(GameControlsTest, AReboundKeyAsksForItsActionAndTheOldKeyNoLonger)
{
    game->bindings.bind(PlayerAction::DropFast, {GLFW_KEY_J});
    StoneController& stone = *game->stoneController;
    press(GLFW_KEY_SPACE);
    game->update(frame);
    EXPECT_FLOAT_EQ(stone.speed, stone.baseSpeed) << "Space no longer drops fast";
    release(GLFW_KEY_SPACE);
    press(GLFW_KEY_J);
    game->update(frame);
    EXPECT_FLOAT_EQ(stone.speed, stone.fastSpeed);
    release(GLFW_KEY_J);
    EXPECT_FLOAT_EQ(stone.speed, stone.baseSpeed);

    game->bindings.bind(PlayerAction::CameraForward, {GLFW_KEY_UP});
    const glm::vec3 start = game->playerCamera->position;
    press(GLFW_KEY_UP);
    game->update(0.5f);
    EXPECT_NEAR(glm::length(game->playerCamera->position - start), 350.0f, 1e-2f);
    EXPECT_EQ(releaseKey(GLFW_KEY_UP), "") << "Up moves the camera now, not the stone";

    game->bindings.bind(PlayerAction::Quit, {GLFW_KEY_K});
    press(GLFW_KEY_ESCAPE);
    EXPECT_FALSE(glfwWindowShouldClose(testWindow()));
    press(GLFW_KEY_K); // quit acts on the press
    EXPECT_TRUE(glfwWindowShouldClose(testWindow()));
}

TEST_F(GameControlsTest, AKeyBoundToAnActionIsNoLongerADebuggingKey)
{
    game->bindings.bind(PlayerAction::Pause, {GLFW_KEY_Q});
    game->bindings.bind(PlayerAction::DropFast, {GLFW_KEY_P});
    EXPECT_EQ(releaseKey(GLFW_KEY_Q), "");
    EXPECT_TRUE(game->paused);
    EXPECT_TRUE(game->creatures.empty()) << "Q spawned a squirrel";
    press(GLFW_KEY_P);
    game->update(frame);
    EXPECT_TRUE(game->creatures.empty()) << "P spawned beetles";
    EXPECT_FLOAT_EQ(game->stoneController->speed, game->stoneController->fastSpeed);
    release(GLFW_KEY_P);
    EXPECT_EQ(releaseKey(GLFW_KEY_R), "1\n") << "the debugging keys not bound stay";
}

TEST_F(GameControlsTest, NewKeysAskForFullScreenAndTheLandingMarker)
{
    EXPECT_FALSE(game->fullscreenAsked);
    EXPECT_TRUE(game->showLandingMarker);
    release(GLFW_KEY_F11);
    release(GLFW_KEY_G);
    EXPECT_TRUE(game->fullscreenAsked);
    EXPECT_FALSE(game->showLandingMarker);
}

TEST_F(GameControlsTest, PadMovesAndTurnsTheStoneAsTheKeysDo)
{
    struct Case {
        int button;
        std::string trace;   // what the game writes, empty for a turn
        glm::vec3 pivotStep; // world units
    };
    // The player looks from the low-z side, so "up" moves toward +z, as the Up key does.
    const Case cases[] = {
        {GLFW_GAMEPAD_BUTTON_DPAD_UP, "Move bot", {0.0f, 0.0f, 100.0f}},
        {GLFW_GAMEPAD_BUTTON_DPAD_DOWN, "Move up", {0.0f, 0.0f, -100.0f}},
        {GLFW_GAMEPAD_BUTTON_DPAD_RIGHT, "Move right", {-100.0f, 0.0f, 0.0f}},
        {GLFW_GAMEPAD_BUTTON_DPAD_LEFT, "Move LEFT", {100.0f, 0.0f, 0.0f}},
    };
    for (const Case& c : cases) {
        const glm::vec3 before = game->stoneController->cells[0];
        EXPECT_EQ(push(c.button), c.trace) << c.button;
        EXPECT_EQ(game->stoneController->cells[0] - before, c.pivotStep) << c.button;
    }
    // Upright fries lie down along one axis or the other when turned (a burger would look the same).
    game->stoneController = std::make_unique<StoneController>(playfield, std::make_shared<vosk::scene::FrenchFries>(),
                                                              glm::vec3(300.0f, 500.0f, 300.0f));
    const std::vector<glm::vec3> before = game->stoneController->cells;
    push(GLFW_GAMEPAD_BUTTON_A);
    const std::vector<glm::vec3> turnedX = game->stoneController->cells;
    push(GLFW_GAMEPAD_BUTTON_B);
    EXPECT_NE(turnedX, before) << "A turns the stone";
    EXPECT_NE(game->stoneController->cells, turnedX) << "B turns the stone";
    EXPECT_EQ(game->stoneController->cells[0], before[0]) << "a turn keeps the pivot";
}

TEST_F(GameControlsTest, PadRightStickTurnsTheCamera)
{
    const float yaw = game->playerCamera->yaw;
    const float pitch = game->playerCamera->pitch;
    GLFWgamepadstate look = GamepadReader::atRest();
    look.axes[GLFW_GAMEPAD_AXIS_RIGHT_X] = 1.0f;
    look.axes[GLFW_GAMEPAD_AXIS_RIGHT_Y] = -1.0f;
    game->padInput(look, 0.25f);
    EXPECT_NEAR(game->playerCamera->yaw - yaw, 30.0f, 0.01f) << "120 degrees a second at full tilt";
    EXPECT_NEAR(game->playerCamera->pitch - pitch, 30.0f, 0.01f);
}

TEST_F(GameControlsTest, PadStartPausesAndAStartsANewGameOnceItIsOver)
{
    push(GLFW_GAMEPAD_BUTTON_START);
    EXPECT_TRUE(game->paused);
    push(GLFW_GAMEPAD_BUTTON_START);
    EXPECT_FALSE(game->paused);

    game->score = 700;
    game->lifepoints = 0;
    logic(frame); // the game is over
    ASSERT_TRUE(game->paused);
    push(GLFW_GAMEPAD_BUTTON_A);
    EXPECT_EQ(game->lifepoints, Game::startLifepoints);
    EXPECT_EQ(game->score, 0);
    EXPECT_FALSE(game->paused);
}

} // namespace
