// The game's one screen state, and the life of its event list over a frame.

#include "tests/game/game_fixture.hpp"

#include <functional>

namespace {

using Kind = GameEvent::Kind;
using GameScreenTest = GameTest;

TEST_F(GameScreenTest, TheScreenFollowsThePausedFlagAndTheLifepoints)
{
    struct Case {
        bool paused;
        int lifepoints;
        ScreenState screen;
    };
    const Case cases[] = {
        {false, 5, ScreenState::Playing}, {true, 5, ScreenState::Paused}, {true, 1, ScreenState::Paused},
        {false, 0, ScreenState::Over},    {true, 0, ScreenState::Over},
    };
    for (const Case& c : cases) {
        game->paused = c.paused;
        game->lifepoints = c.lifepoints;
        EXPECT_EQ(game->screen(), c.screen) << "paused " << c.paused << ", lifepoints " << c.lifepoints;
    }
}

TEST_F(GameScreenTest, OPausesAndResumesTheLastTheftEndsAndOnlyEnterLeavesTheEnd)
{
    struct Step {
        const char* name;
        std::function<void()> act;
        ScreenState screen;
    };
    const Step steps[] = {
        {"O", [&] { release(GLFW_KEY_O); }, ScreenState::Paused},
        {"Enter while paused", [&] { release(GLFW_KEY_ENTER); }, ScreenState::Paused},
        {"O again", [&] { release(GLFW_KEY_O); }, ScreenState::Playing},
        {"the last theft",
         [&] {
             game->lifepoints = 1;
             addBeetle(700.0f, 700.0f);
             logic(0.016f);
         },
         ScreenState::Over},
        {"O after the end", [&] { release(GLFW_KEY_O); }, ScreenState::Over},
        {"a frame after the end", [&] { logic(0.016f); }, ScreenState::Over},
        {"Enter", [&] { release(GLFW_KEY_ENTER); }, ScreenState::Playing},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(game->screen(), step.screen) << step.name;
    }
}

TEST_F(GameScreenTest, TheLastTheftRecordsTheEndAndTheListLastsUntilTheNextRulesBegin)
{
    game->lifepoints = 1;
    addBeetle(700.0f, 700.0f);
    logic(0.016f);
    EXPECT_TRUE(game->events.contains(Kind::ChestRobbed));
    EXPECT_TRUE(game->events.contains(Kind::GameOver));

    testing::internal::CaptureStdout();
    release(GLFW_KEY_LEFT); // steering after the end still moves the stone
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(game->events.contains(Kind::StoneMoved));
    EXPECT_TRUE(game->events.contains(Kind::GameOver)) << "kept until the next frame's rules begin";
    logic(0.016f);
    EXPECT_TRUE(game->events.all().empty()) << "nothing happens after the end";
}

} // namespace
