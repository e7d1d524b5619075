// The real game started with its standard output closed, or piped to a reader that leaves early.

#include "tests/e2e/game_test.hpp"

#include <gtest/gtest.h>

namespace {

class Surroundings : public GameTest {
protected:
    // Sends keys whose traces go nowhere, then F1: once the help text shows, the game has handled them
    // (keys are handled in order) and drawn a frame after.
    void expectTracesHandled(GameTestSession& game)
    {
        const ScreenImage playing = game.sceneOnScreen("playing");
        ASSERT_TRUE(GameTestSession::showsScene(playing)) << game.errors();
        for (const char* key : {"r", "Left", "r"})
            game.key(key);
        game.key("F1");
        const ScreenImage help =
            game.screenWhen("help", [&](const ScreenImage& s) { return helpPanelOver(playing, s); });
        EXPECT_TRUE(helpPanelOver(playing, help));
        EXPECT_TRUE(game.running());
    }
};

TEST_F(Surroundings, ClosedStandardOutputDoesNotStopThePlay)
{
    GameTestSession& game = start({.output = GameSession::Output::Closed});
    ASSERT_TRUE(game.waitForWindow()) << game.errors();
    expectTracesHandled(game);
    EXPECT_EQ(game.quit(), 0) << game.errors();
}

TEST_F(Surroundings, ReaderLeavingThePipeSilencesTheTracesAndPlayGoesOn)
{
    GameTestSession& game = start({.output = GameSession::Output::LeavingReader});
    ASSERT_TRUE(game.waitForWindow()) << game.errors();
    EXPECT_EQ(game.output().size(), 100u);
    EXPECT_EQ(game.output().substr(0, 5), "vec4(");
    expectTracesHandled(game); // traces into the closed pipe
    EXPECT_EQ(game.quit(), 0) << game.errors();
}

} // namespace
