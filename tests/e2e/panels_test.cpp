// The pause and game-over panels in the real window, playing again with Enter, and the score it keeps.

#include "tests/support/game_session.hpp"
#include "tests/support/scratch_dir.hpp"
#include "tests/support/screen_image.hpp"
#include "tests/support/temp_file.hpp"
#include "ui/score_table.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace {

const ScreenRegion pauseBox{312, 320, 400, 150};    // screen pixels from the top left
const ScreenRegion gameOverBox{212, 80, 600, 650};
const ScreenRegion scoreCorner{0, 20, 260, 60};
const ScreenRegion lifepointsDigit{972, 28, 40, 44}; // the last digit of "LIFEPOINTS: 5"
const ScreenRegion practiceNote{312, 640, 400, 32};  // "Practice game: not recorded", in amber
const int amber[3] = {255, 199, 64};

double brightness(const ScreenImage& image, const ScreenRegion& region)
{
    double rgb[3] = {};
    image.meanColour(region, rgb);
    return (rgb[0] + rgb[1] + rgb[2]) / 3.0;
}

class PanelsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(game.waitForWindow()) << game.output() << game.errors();
        ASSERT_TRUE(waitUntilResponsive()) << game.output() << game.errors();
    }

    // Presses R until the game answers with its debug flag (it runs frames), then R again to clear it.
    bool waitUntilResponsive()
    {
        for (int attempt = 0; attempt < 60; ++attempt) {
            const std::size_t from = game.output().size();
            game.key("r");
            if (game.waitForOutput("1\n", 1.0, from)) {
                game.key("r");
                return game.waitForOutput("0\n", 10.0, from);
            }
        }
        return false;
    }

    // A ring of beetles (or a few): P held until the game has spawned one. The ring's near row ends
    // with a beetle at (1450, -400), where no spawner of the game's own puts a creature.
    bool massSpawnOnce()
    {
        const std::size_t from = game.output().size();
        game.keyDown("p");
        const bool seen = game.waitForOutput("Spawning on 1450|0|-400\n", 30.0, from);
        game.keyUp("p");
        return seen;
    }

    void TearDown() override
    {
        if (game.running()) {
            game.key("Escape");
            EXPECT_EQ(game.waitForExit(), 0) << game.errors();
        }
    }

    ScreenImage shot(const std::string& name)
    {
        const std::string path =
            (std::filesystem::temp_directory_path() / ("quarvel-panels-" + name + ".png")).string();
        sleepSeconds(0.5); // a few frames after the last input
        EXPECT_TRUE(game.screenshot(path));
        return ScreenImage(path);
    }

    GameSession game;
};

TEST_F(PanelsTest, OShowsThePausePanelAndTakesItAway)
{
    const ScreenImage playing = shot("playing");
    game.key("o");
    const ScreenImage paused = shot("paused");
    game.key("o");
    const ScreenImage resumed = shot("resumed");
    EXPECT_GT(paused.changedShare(playing, pauseBox), 0.3);
    EXPECT_LT(brightness(paused, pauseBox), 0.6 * brightness(playing, pauseBox));
    EXPECT_GT(brightness(resumed, pauseBox), 0.8 * brightness(playing, pauseBox));
    EXPECT_EQ(game.output().find("GAME OVER"), std::string::npos);
}

// The beetles come by P, a debugging key: a practice game, which leaves the table as it was.
TEST_F(PanelsTest, FiveBeetlesEndTheGameAndEnterPlaysAgain)
{
    using Clock = std::chrono::steady_clock;
    const std::string scores = game.dataHome() + "/quarvel/scores";
    std::filesystem::create_directories(game.dataHome() + "/quarvel");
    const std::string earlier = "300 2026-01-02 10:00:00\n";
    writeText(scores, earlier);
    const ScreenImage start = shot("start");
    ASSERT_TRUE(massSpawnOnce()); // rings of beetles walk to the chest
    ASSERT_TRUE(game.waitForOutput("GAME OVERRRRRR\n", 90.0)) << game.errors();
    const ScreenImage over = shot("over");
    EXPECT_LT(brightness(over, gameOverBox), 0.6 * brightness(start, gameOverBox));
    EXPECT_GT(over.darkPixels(scoreCorner, 20), start.darkPixels(scoreCorner, 20)); // more digits
    EXPECT_GT(over.pixelsLike(practiceNote, amber, 40), 100) << "the panel says it was not recorded";
    EXPECT_EQ(readWholeFile(scores), earlier);

    const std::size_t before = game.output().size();
    game.key("Return");
    const auto pressed = Clock::now();
    ASSERT_TRUE(waitUntilResponsive());
    const ScreenImage again = shot("again");
    EXPECT_GT(brightness(again, gameOverBox), 0.8 * brightness(start, gameOverBox));
    EXPECT_LE(again.darkPixels(scoreCorner, 20), start.darkPixels(scoreCorner, 20) * 5 / 4); // near 0
    // 5 again (the falling stone may pass behind the digit, so compare with the 0 of game over)
    EXPECT_LT(again.changedShare(start, lifepointsDigit), over.changedShare(start, lifepointsDigit) / 2);

    game.keyDown("space"); // the new stone falls and lands
    EXPECT_TRUE(game.waitForOutput("HAHA", 30.0, before));
    game.keyUp("space");
    ASSERT_TRUE(game.waitForOutput("Spawning on ", 40.0, before));
    const double firstBeetle = std::chrono::duration<double>(Clock::now() - pressed).count();
    EXPECT_GT(firstBeetle, 8.0);
    EXPECT_LT(firstBeetle, 20.0);
    EXPECT_EQ(game.output().find("GAME OVER", before), std::string::npos);
}

} // namespace
