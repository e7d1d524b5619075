// Practice games: only the debugging keys that change the game make one, and the HUD marks it; the help
// hint of the first seconds.

#include "game_fixture.hpp"

#include "game/key_states.hpp"
#include "ui/game_screens.hpp"

namespace {

using PracticeTest = GameTest;

TEST_F(PracticeTest, OnlyTheKeysThatChangeTheGameMakeItPractice)
{
    const struct {
        const char* name;
        int key;
        bool held; // read every frame while held rather than on release
        bool practice;
    } keys[] = {
        {"P", GLFW_KEY_P, true, true},      {"Q", GLFW_KEY_Q, false, true},     {"0", GLFW_KEY_0, false, true},
        {"O", GLFW_KEY_O, false, false},    {"X", GLFW_KEY_X, false, false},    {"Left", GLFW_KEY_LEFT, false, false},
        {"Space", GLFW_KEY_SPACE, true, false}, {"F1", GLFW_KEY_F1, false, false}, {"G", GLFW_KEY_G, false, false},
        {"R", GLFW_KEY_R, false, false},    {"3", GLFW_KEY_3, false, false},    {"F3", GLFW_KEY_F3, false, false},
    };
    for (const auto& k : keys) {
        SCOPED_TRACE(k.name);
        game->screens->newGame();
        logic(0.016f);
        testing::internal::CaptureStdout();
        press(k.key);
        if (k.held)
            game->update(0.016f);
        release(k.key);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(game->screens->practice(), k.practice);
        EXPECT_EQ(game->hudState().practice, k.practice);
        if (k.key == GLFW_KEY_O)
            release(GLFW_KEY_O); // play on
        if (k.key == GLFW_KEY_F3)
            release(GLFW_KEY_F3);
    }
}

TEST_F(PracticeTest, HelpHintShowsInTheFirstSecondsOfTheFirstGameOnly)
{
    EXPECT_TRUE(game->hudState().helpHint);
    release(GLFW_KEY_F1);
    EXPECT_FALSE(game->hudState().helpHint) << "the help is open";
    release(GLFW_KEY_F1);
    logic(Hud::helpHintSeconds - 0.5f);
    EXPECT_TRUE(game->hudState().helpHint);
    logic(1.0f);
    EXPECT_FALSE(game->hudState().helpHint);

    game->lifepoints = 0;
    logic(0.016f);
    testing::internal::CaptureStdout();
    release(GLFW_KEY_ENTER);
    testing::internal::GetCapturedStdout();
    EXPECT_FLOAT_EQ(game->elapsed, 0.0f);
    EXPECT_FALSE(game->hudState().helpHint) << "a second game";
}

} // namespace
