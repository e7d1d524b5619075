// Playing in the real window: a quiet console, and a game that pauses when the window loses the focus.

#include "tests/e2e/game_test.hpp"
#include "tests/support/other_window.hpp"

#include <gtest/gtest.h>

namespace {

const ScreenRegion spawnColumnFloor{630, 470, 44, 30}; // where every first stone comes to rest

// O shows the pause panel and takes it away again: the game reads its keys and draws its frames.
void pauseAndResume(GameTestSession& game)
{
    const ScreenImage playing = game.screen("playing");
    const auto paused = [&](const ScreenImage& s) { return pausePanelOver(playing, s); };
    game.key("o");
    ASSERT_TRUE(paused(game.screenWhen("paused", paused)));
    game.key("o");
    ASSERT_FALSE(paused(game.screenWhen("resumed", [&](const ScreenImage& s) { return !paused(s); })));
}

using PlayWell = GameTest;

// Nothing comes on standard output, so the screen is the evidence: the scene, a stone standing on its
// column, the pause panel.
TEST_F(PlayWell, QuietGameWritesNothingOnStandardOutput)
{
    GameTestSession& game = start({.arguments = {"--quiet"}});
    ASSERT_TRUE(game.waitForWindow()) << game.errors();
    const ScreenImage start = game.sceneOnScreen("scene");
    ASSERT_TRUE(GameTestSession::showsScene(start));
    for (const char* key : {"0", "Left", "Right", "r", "r", "F", "F"}) // 0: nothing landed stays
        game.key(key);
    // Space until a stone stands on the floor of its column: food there, where grass was (a shadow
    // passing over leaves the grass green).
    game.keyDown("space");
    const int area = spawnColumnFloor.width * spawnColumnFloor.height;
    const int grassBefore = area - start.redderThanGreen(spawnColumnFloor);
    const auto landed = [&](const ScreenImage& s) { return area - s.redderThanGreen(spawnColumnFloor) < grassBefore / 2; };
    EXPECT_TRUE(landed(game.screenWhen("landed", landed, 60.0)));
    game.keyUp("space");
    pauseAndResume(game); // the game plays on after the landing
    EXPECT_EQ(game.quit(), 0) << game.errors();
    EXPECT_EQ(game.output(), "");
    EXPECT_EQ(game.errors().find("Failed"), std::string::npos) << game.errors();
}

TEST_F(PlayWell, LosingTheFocusPausesUntilThePlayerResumes)
{
    GameTestSession& game = start();
    ASSERT_TRUE(game.waitUntilPlaying()) << game.output() << game.errors();
    const ScreenImage playing = game.sceneOnScreen("playing");
    const auto pausedScreen = [&](const ScreenImage& s) { return pausePanelOver(playing, s); };

    OtherWindow other(game.display());
    ASSERT_TRUE(other.open());
    other.takeFocus();
    EXPECT_TRUE(pausedScreen(game.screenWhen("away", pausedScreen)));

    ASSERT_TRUE(game.waitForWindow()); // the focus back on the game
    EXPECT_TRUE(game.waitForLaterFrame()) << "keys reach the game again";
    EXPECT_TRUE(pausedScreen(game.screen("back"))) << "and it is still paused";
    game.key("o");
    EXPECT_FALSE(pausedScreen(game.screenWhen("resumed", [&](const ScreenImage& s) { return !pausedScreen(s); })));
}

} // namespace
