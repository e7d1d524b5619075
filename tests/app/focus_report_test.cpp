// Losing the window's focus: only a loss that a poll of events ends with pauses the game, and only a
// running game with the switch on.

#include "app/app_state.hpp"
#include "app/input.hpp"
#include "tests/game/game_fixture.hpp"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

namespace {

TEST(FocusReport, APollThatEndsWithoutTheFocusIsALoss)
{
    const struct {
        const char* name;
        std::vector<int> reports; // what the callback says during one poll
        bool lost;
    } polls[] = {
        {"nothing", {}, false},
        {"lost", {GLFW_FALSE}, true},
        {"passing through", {GLFW_FALSE, GLFW_TRUE}, false},
        {"gained", {GLFW_TRUE}, false},
        {"back and gone again", {GLFW_FALSE, GLFW_TRUE, GLFW_FALSE}, true},
    };
    for (const auto& poll : polls) {
        SCOPED_TRACE(poll.name);
        for (const int focused : poll.reports)
            windowFocusCallback(testWindow(), focused);
        EXPECT_EQ(focusReport.takeLoss(), poll.lost);
        EXPECT_FALSE(focusReport.takeLoss()) << "each poll on its own";
    }
}

using FocusLossTest = GameTest;

TEST_F(FocusLossTest, PausesARunningGameUnlessSwitchedOff)
{
    const struct {
        const char* name;
        bool pauseOnFocusLoss;
        bool pausedBefore;
        int lifepoints;
        bool pausedAfter;
    } cases[] = {
        {"running", true, false, 5, true},
        {"already paused", true, true, 5, true},
        {"switched off", false, false, 5, false},
        {"over", true, false, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        game->pauseOnFocusLoss = c.pauseOnFocusLoss;
        game->paused = c.pausedBefore;
        game->lifepoints = c.lifepoints;
        game->focusLost();
        EXPECT_EQ(game->paused, c.pausedAfter);
    }
    game->lifepoints = 5;
    game->paused = true;
    game->pauseOnFocusLoss = true;
    release(GLFW_KEY_O);
    EXPECT_FALSE(game->paused) << "O resumes as after its own pause";
}

} // namespace
