// The real game played through its window: traces, keys and what the screen shows.

#include "tests/e2e/game_test.hpp"
#include "tests/support/run_program.hpp"

#include <gtest/gtest.h>

namespace {

class PlayTest : public GameTest {
protected:
    void SetUp() override
    {
        start();
        ASSERT_TRUE(game().waitUntilPlaying()) << game().output() << game().errors();
    }

    void TearDown() override
    {
        const std::string out = game().output();
        GameTest::TearDown();
        EXPECT_EQ(out.find("ERROR::"), std::string::npos);
    }
};

const ScreenRegion skyStrip{300, 10, 424, 15};
const ScreenRegion helpCorner{0, 560, 720, 240};
const ScreenRegion lowerScene{0, 300, 1024, 500};
const ScreenRegion frameTimeCorner{0, 700, 400, 100};

TEST_F(PlayTest, StartsWithItsTracesAndNoErrors)
{
    const std::string out = game().output();
    EXPECT_EQ(out.rfind("vec4(-100.000000, 0.000000, 200.000000, 1.000000)", 0), 0u) << out.substr(0, 200);
    EXPECT_EQ(occurrences(out, "Your shader is fine\n"), 8);
    EXPECT_NE(out.find("GUT"), std::string::npos);
    EXPECT_LT(out.find("GUT"), out.find("Your shader is fine"));
    EXPECT_EQ(out.find("You are executing"), std::string::npos);
}

TEST_F(PlayTest, ArrowsMoveSpaceLandsTheStoneAndZeroClearsIt)
{
    EXPECT_TRUE(game().pressUntil("Left", "Move "));
    EXPECT_TRUE(game().pressUntil("Up", "Move "));
    game().key("x");
    game().key("c");
    const std::size_t before = game().outputSize();
    ASSERT_TRUE(game().holdUntil("space", "rounded", 30.0)) << game().output().substr(before);
    EXPECT_TRUE(game().waitForOutput("XXXXXXXXXXXXXXX\n", 10.0, before));
    const std::string landing = game().output().substr(before);
    EXPECT_NE(landing.find("HAHA"), std::string::npos);
    EXPECT_NE(landing.find("ny"), std::string::npos);
    EXPECT_TRUE(game().pressUntil("0", "not flyng", 10.0));
}

TEST_F(PlayTest, OShowsThePausePanelAndStopsTheStoneUntilResumed)
{
    const ScreenImage playing = game().sceneOnScreen("playing");
    game().key("o");
    const ScreenImage paused =
        game().screenWhen("paused", [&](const ScreenImage& s) { return pausePanelOver(playing, s); });
    ASSERT_TRUE(pausePanelOver(playing, paused));
    const std::size_t from = game().outputSize();
    game().keyDown("space");
    EXPECT_TRUE(game().waitForLaterFrame()) << "frames went on with Space held";
    const bool landed = game().waitForOutput("HAHA", 5.0, from); // paused: the stone would land in 2.5 s
    game().keyUp("space");
    EXPECT_FALSE(landed);
    game().key("o");
    const auto panelGone = [&](const ScreenImage& s) {
        return brightness(s, pauseBox) > 0.8 * brightness(playing, pauseBox);
    };
    EXPECT_TRUE(panelGone(game().screenWhen("resumed", panelGone)));
    EXPECT_TRUE(game().holdUntil("space", "HAHA", 30.0));
    EXPECT_EQ(game().output().find("GAME OVER"), std::string::npos);
}

TEST_F(PlayTest, CullingIsLoggedWhenTheChestIsBehindTheViewer)
{
    game().key("f");
    const std::size_t from = game().outputSize();
    // Turns of 25 degrees (0.25 degrees per pixel), each small enough for the screen to hold
    // until the game has re-centred the cursor, until the chest is behind; two whole turns at most.
    constexpr int stepPixels = 100;
    bool culled = false;
    for (int step = 0; step < 2 * 360 * 4 / stepPixels && !culled; ++step) {
        game().mouseMove(stepPixels, 0);
        culled = game().waitForOutput("Culling", 3.0, from);
    }
    EXPECT_TRUE(culled);
}

TEST_F(PlayTest, ScreenShowsTheSceneTheScoreAndTheSky)
{
    const ScreenImage start = game().sceneOnScreen("start");
    ASSERT_FALSE(start.empty());
    EXPECT_GT(start.colourCount({0, 100, 1024, 700}), 100);
    // "SCORE:" and "LIFEPOINTS:" are written in black along the top.
    EXPECT_GT(start.darkPixels(scoreCorner, 20), 300);
    EXPECT_GT(start.darkPixels({774, 20, 250, 60}, 20), 300);

    // Looking up to the horizon shows the pale turquoise sky above the trees: the view turns up a step at
    // a time (the pitch stops short of straight up) until the sky fills the strip.
    const auto skyShows = [](const ScreenImage& s) {
        double sky[3];
        s.meanColour(skyStrip, sky);
        return std::abs(sky[0] - 175.0) < 25.0 && std::abs(sky[1] - 238.0) < 20.0 && std::abs(sky[2] - 238.0) < 20.0;
    };
    ScreenImage up = game().screen("sky");
    for (int step = 0; step < 20 && !skyShows(up); ++step) {
        game().mouseMove(0, -100);
        up = game().screenWhen("sky", skyShows, 2.0);
    }
    double sky[3];
    up.meanColour(skyStrip, sky);
    EXPECT_NEAR(sky[0], 175.0, 25.0);
    EXPECT_NEAR(sky[1], 238.0, 20.0);
    EXPECT_NEAR(sky[2], 238.0, 20.0);
}

TEST_F(PlayTest, DisplayKeysChangeThePicture)
{
    const ScreenImage start = game().sceneOnScreen("start");
    // Keys are handled in order, so each picture waited for also shows that the keys before it were seen.
    game().key("F1");
    const auto helpShows = [&](const ScreenImage& s) { return s.changedShare(start, helpCorner) > 0.02; };
    const ScreenImage help = game().screenWhen("help", helpShows);
    EXPECT_GT(help.changedShare(start, helpCorner), 0.02);
    game().key("F1");

    game().key("4");
    const auto lightView = [&](const ScreenImage& s) { return s.changedShare(start, wholeScreen) > 0.3; };
    const ScreenImage light = game().screenWhen("light", lightView);
    EXPECT_GT(light.changedShare(start, wholeScreen), 0.3);
    game().key("3");
    const ScreenImage player =
        game().screenWhen("player", [&](const ScreenImage& s) { return s.changedShare(light, wholeScreen) > 0.3; });
    EXPECT_GT(player.changedShare(light, wholeScreen), 0.3) << "back to the player's camera";

    game().key("F3");
    const ScreenImage wire =
        game().screenWhen("wireframe", [&](const ScreenImage& s) { return s.changedShare(start, lowerScene) > 0.1; });
    EXPECT_GT(wire.changedShare(start, lowerScene), 0.1);
    game().key("F3");
}

TEST_F(PlayTest, ProgramFrameTimeAndBlendingKeysChangeWhatTheyShould)
{
    const ScreenImage start = game().sceneOnScreen("start");
    game().key("2"); // the depth-only program draws no colours
    const ScreenImage depthOnly = game().screenWhen(
        "shadow-program", [&](const ScreenImage& s) { return s.changedShare(start, lowerScene) > 0.3; });
    EXPECT_GT(depthOnly.changedShare(start, lowerScene), 0.3);
    game().key("1");
    const ScreenImage back = game().screenWhen(
        "basic-program", [&](const ScreenImage& s) { return s.changedShare(start, lowerScene) < 0.2; });
    EXPECT_LT(back.changedShare(start, lowerScene), 0.2);

    game().key("F2");
    const int startText = start.darkPixels(frameTimeCorner, 20);
    const ScreenImage fps = game().screenWhen(
        "frame-time", [&](const ScreenImage& s) { return s.darkPixels(frameTimeCorner, 20) > startText + 200; });
    EXPECT_GT(fps.darkPixels(frameTimeCorner, 20), startText + 200);
    game().key("F2");

    game().key("F9");
    game().key("F4");
    EXPECT_TRUE(game().pressUntil("q", "Spawning on ")); // a squirrel's textures made with nearest filtering
    EXPECT_TRUE(game().waitForOutput("Animator initialised\n", 30.0)) << "the squirrel is animated";
    ASSERT_TRUE(game().waitForLaterFrame()); // a frame drawn with blending is on screen
    const ScreenImage blended = game().screen("blending");
    EXPECT_LT(blended.changedShare(start, lowerScene), 0.3);
}

TEST_F(PlayTest, ABeetleAndThenASquirrelArriveOnTheirOwn)
{
    // The spawners count the game's time, which a busy machine slows against the wall clock, so the
    // falling stone's landing tests tell the time: 3 passages (8.0 s) before the beetle due at 10 s, the
    // 4th at 10.6 s; 5 (13.4 s) before the squirrel due at 14 s, the 6th at 16.0 s.
    ASSERT_TRUE(game().waitForOutputWhilePlaying("Spawning on ", 0));
    const std::string out = game().output();
    const std::size_t beetle = out.find("Spawning on ");
    const int beforeBeetle = landingTests(out.substr(0, beetle));
    EXPECT_GE(beforeBeetle, 3) << out;
    EXPECT_LE(beforeBeetle, 2 * 3) << out;
    EXPECT_EQ(out.find("Animator initialised"), std::string::npos); // the squirrel comes later
    ASSERT_TRUE(game().waitForOutputWhilePlaying([](const std::string& text) {
        return occurrences(text, "Spawning on ") >= 2 && text.find("Animator initialised") != std::string::npos;
    }));
    const std::string later = game().output();
    const int beforeSquirrel = landingTests(later.substr(0, later.find("Spawning on ", beetle + 1)));
    EXPECT_GE(beforeSquirrel, 5) << later;
    EXPECT_LE(beforeSquirrel, 2 * 5) << later;
    EXPECT_GT(beforeSquirrel, beforeBeetle) << later;
}

} // namespace
