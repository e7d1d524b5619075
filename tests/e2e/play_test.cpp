// The real game played through its window: traces, keys and what the screen shows.

#include "tests/support/game_session.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/screen_image.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace {

class PlayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(game.waitForWindow()) << game.output() << game.errors();
        ASSERT_TRUE(waitUntilResponsive()) << game.output() << game.errors();
    }

    void TearDown() override
    {
        if (game.running()) {
            game.key("Escape");
            EXPECT_EQ(game.waitForExit(), 0) << game.errors();
        }
        EXPECT_EQ(game.output().find("ERROR::"), std::string::npos);
    }

    // Presses R until the game answers with its debug flag, then once more to clear the flag again.
    bool waitUntilResponsive()
    {
        for (int attempt = 0; attempt < 60; ++attempt) {
            const std::size_t from = game.output().size();
            game.key("r");
            if (game.waitForOutput("1\n", 1.0, from))
                return pressAndWait("r", "0\n");
        }
        return false;
    }

    // Presses a key and waits until the output, from now on, contains the text.
    bool pressAndWait(const std::string& key, const std::string& text, double seconds = 30.0)
    {
        const std::size_t from = game.output().size();
        game.key(key);
        return game.waitForOutput(text, seconds, from);
    }

    // Holds a key until the text appears in the output from now on (or time runs out).
    bool holdUntil(const std::string& key, const std::string& text, double seconds)
    {
        const std::size_t from = game.output().size();
        game.keyDown(key);
        const bool seen = game.waitForOutput(text, seconds, from);
        game.keyUp(key);
        return seen;
    }

    ScreenImage shot(const std::string& name)
    {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        const std::string path = (std::filesystem::temp_directory_path() /
                                  (std::string("quarvel-") + test->name() + "-" + name + ".png"))
                                     .string();
        sleepSeconds(0.5); // a few frames after the last input
        EXPECT_TRUE(game.screenshot(path));
        return ScreenImage(path);
    }

    GameSession game;
};

const ScreenRegion wholeScreen{0, 0, 1024, 800};
const ScreenRegion skyStrip{300, 10, 424, 15};
const ScreenRegion scoreCorner{0, 20, 260, 60};
const ScreenRegion helpCorner{0, 560, 720, 240};

TEST_F(PlayTest, StartsWithItsTracesAndNoErrors)
{
    const std::string out = game.output();
    EXPECT_EQ(out.rfind("vec4(-100.000000, 0.000000, 200.000000, 1.000000)", 0), 0u) << out.substr(0, 200);
    EXPECT_EQ(occurrences(out, "Your shader is fine\n"), 8);
    EXPECT_NE(out.find("GUT"), std::string::npos);
    EXPECT_LT(out.find("GUT"), out.find("Your shader is fine"));
    EXPECT_EQ(out.find("You are executing"), std::string::npos);
}

TEST_F(PlayTest, QSpawnsAnAnimatedSquirrel)
{
    ASSERT_TRUE(pressAndWait("q", "Spawning on "));
    EXPECT_TRUE(game.waitForOutput("Animator initialised\n", 30.0));
}

TEST_F(PlayTest, ArrowsMoveAndSpaceLandsTheStone)
{
    EXPECT_TRUE(pressAndWait("Left", "Move "));
    EXPECT_TRUE(pressAndWait("Up", "Move "));
    game.key("x");
    game.key("c");
    const std::size_t before = game.output().size();
    ASSERT_TRUE(holdUntil("space", "rounded", 30.0)) << game.output().substr(before);
    EXPECT_TRUE(game.waitForOutput("XXXXXXXXXXXXXXX\n", 10.0, before));
    const std::string landing = game.output().substr(before);
    EXPECT_NE(landing.find("HAHA"), std::string::npos);
    EXPECT_NE(landing.find("ny"), std::string::npos);
}

TEST_F(PlayTest, PauseStopsTheStoneUntilResumed)
{
    game.key("o");
    sleepSeconds(0.5);
    EXPECT_FALSE(holdUntil("space", "HAHA", 5.0)); // paused: the stone would land in 2.5 s
    game.key("o");
    EXPECT_TRUE(holdUntil("space", "HAHA", 30.0));
}

TEST_F(PlayTest, CullingIsLoggedWhenTheChestIsBehindTheViewer)
{
    game.key("f");
    sleepSeconds(0.3);
    const std::size_t from = game.output().size();
    // Half a turn at 0.25 degrees per pixel, in steps the screen can hold (the game re-centres the cursor).
    for (int step = 0; step < 3; ++step) {
        game.mouseMove(240, 0);
        sleepSeconds(0.3);
    }
    EXPECT_TRUE(game.waitForOutput("Culling", 20.0, from));
}

TEST_F(PlayTest, ScreenShowsTheSceneTheScoreAndTheSky)
{
    const ScreenImage start = shot("start");
    ASSERT_FALSE(start.empty());
    EXPECT_GT(start.colourCount({0, 100, 1024, 700}), 100);
    // "SCORE:" and "LIFEPOINTS:" are written in black along the top.
    EXPECT_GT(start.darkPixels(scoreCorner, 20), 300);
    EXPECT_GT(start.darkPixels({774, 20, 250, 60}, 20), 300);

    // Looking up to the horizon shows the pale turquoise sky above the trees.
    for (int step = 0; step < 3; ++step) {
        game.mouseMove(0, -100);
        sleepSeconds(0.3);
    }
    const ScreenImage up = shot("sky");
    double sky[3];
    up.meanColour(skyStrip, sky);
    EXPECT_NEAR(sky[0], 175.0, 25.0);
    EXPECT_NEAR(sky[1], 238.0, 20.0);
    EXPECT_NEAR(sky[2], 238.0, 20.0);
}

TEST_F(PlayTest, DisplayKeysChangeThePicture)
{
    const ScreenImage start = shot("start");
    game.key("F1");
    const ScreenImage help = shot("help");
    EXPECT_GT(help.changedShare(start, helpCorner), 0.02);
    game.key("F1");

    game.key("4");
    const ScreenImage light = shot("light");
    EXPECT_GT(light.changedShare(start, wholeScreen), 0.3);
    game.key("3");

    game.key("F3");
    const ScreenImage wire = shot("wireframe");
    EXPECT_GT(wire.changedShare(start, {0, 300, 1024, 500}), 0.1);
    game.key("F3");
}

TEST_F(PlayTest, ProgramFrameTimeAndBlendingKeysChangeWhatTheyShould)
{
    const ScreenImage start = shot("start");
    game.key("2"); // the depth-only program draws no colours
    const ScreenImage depthOnly = shot("shadow-program");
    EXPECT_GT(depthOnly.changedShare(start, {0, 300, 1024, 500}), 0.3);
    game.key("1");
    const ScreenImage back = shot("basic-program");
    EXPECT_LT(back.changedShare(start, {0, 300, 1024, 500}), 0.2);

    game.key("F2");
    const ScreenImage fps = shot("frame-time");
    EXPECT_GT(fps.darkPixels({0, 700, 400, 100}, 20), start.darkPixels({0, 700, 400, 100}, 20) + 200);
    game.key("F2");

    game.key("F9");
    game.key("F4");
    EXPECT_TRUE(pressAndWait("q", "Spawning on ")); // a squirrel's textures made with nearest filtering
    const ScreenImage blended = shot("blending");
    EXPECT_LT(blended.changedShare(start, {0, 300, 1024, 500}), 0.3);
}

TEST_F(PlayTest, ZeroClearsTheLandedStones)
{
    ASSERT_TRUE(holdUntil("space", "HAHA", 30.0));
    ASSERT_TRUE(game.waitForOutput("XXXXXXXXXXXXXXX\n", 10.0));
    EXPECT_TRUE(pressAndWait("0", "not flyng", 10.0));
}

TEST_F(PlayTest, ABeetleAndThenASquirrelArriveOnTheirOwn)
{
    // The spawners count the game's time steps, the first of which covers the loading.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(game.waitForOutput("Spawning on ", 30.0));
    const double beetle = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(beetle, 12.0);
    EXPECT_EQ(game.output().find("Animator initialised"), std::string::npos); // the squirrel comes later
    ASSERT_TRUE(game.waitForOutput("Animator initialised", 30.0));
    const double squirrel = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GT(squirrel - beetle, 2.0);
    EXPECT_LT(squirrel - beetle, 6.0);
}

} // namespace
