// The game's one screen state, and the life of its event list over a frame.

#include "tests/game/game_fixture.hpp"

namespace {

using Kind = GameEvent::Kind;
using GameScreenTest = GameTest;

TEST_F(GameScreenTest, TheLastTheftRecordsTheEndAndTheListLastsUntilTheNextRulesBegin)
{
    game->lifepoints = 1;
    addBeetle(700.0f, 700.0f);
    logic(0.016f);
    EXPECT_EQ(game->screen(), ScreenState::Over);
    EXPECT_TRUE(game->events.contains(Kind::ChestRobbed));
    EXPECT_TRUE(game->events.contains(Kind::GameOver));

    testing::internal::CaptureStdout();
    release(GLFW_KEY_LEFT); // steering after the end still moves the stone
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(game->events.contains(Kind::StoneMoved));
    EXPECT_TRUE(game->events.contains(Kind::GameOver)) << "kept until the next frame's rules begin";
    release(GLFW_KEY_O);
    logic(0.016f);
    EXPECT_TRUE(game->events.all().empty()) << "nothing happens after the end";
    EXPECT_EQ(game->screen(), ScreenState::Over) << "O changes nothing";
    release(GLFW_KEY_ENTER);
    EXPECT_EQ(game->screen(), ScreenState::Playing);
}

} // namespace
