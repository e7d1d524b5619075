// The game-over panel in the real window, playing again with Enter, and the score it keeps.

#include "tests/e2e/game_test.hpp"
#include "tests/support/scratch_dir.hpp"
#include "tests/support/temp_file.hpp"
#include "ui/score_table.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const ScreenRegion lifepointsDigit{972, 28, 40, 44}; // the last digit of "LIFEPOINTS: 5"
const ScreenRegion practiceNote{312, 640, 400, 32};  // "Practice game: not recorded", in amber
const int amber[3] = {255, 199, 64};

class PanelsTest : public GameTest {
protected:
    void SetUp() override
    {
        start();
        ASSERT_TRUE(game().waitUntilPlaying()) << game().output() << game().errors();
    }
};

// The beetles come by P, a debugging key: a practice game, which leaves the table as it was.
TEST_F(PanelsTest, FiveBeetlesEndTheGameAndEnterPlaysAgain)
{
    const std::string scores = game().dataHome() + "/quarvel/scores";
    std::filesystem::create_directories(game().dataHome() + "/quarvel");
    const std::string earlier = "300 2026-01-02 10:00:00\n";
    writeText(scores, earlier);
    const ScreenImage start = game().sceneOnScreen("start");
    // Rings of beetles walk to the chest; P is read once per frame, so it is held until a ring comes.
    // The ring's near row ends with a beetle at (1450, -400), where no spawner of the game's own puts one.
    ASSERT_TRUE(game().holdUntil("p", "Spawning on 1450|0|-400\n", 60.0));
    ASSERT_TRUE(game().waitForOutputWhilePlaying("GAME OVERRRRRR\n", 0)) << game().errors();
    const auto overShows = [&](const ScreenImage& s) {
        return brightness(s, gameOverBox) < 0.6 * brightness(start, gameOverBox) &&
               s.darkPixels(scoreCorner, 20) > start.darkPixels(scoreCorner, 20) &&
               s.pixelsLike(practiceNote, amber, 40) > 100;
    };
    const ScreenImage over = game().screenWhen("over", overShows);
    EXPECT_LT(brightness(over, gameOverBox), 0.6 * brightness(start, gameOverBox));
    EXPECT_GT(over.darkPixels(scoreCorner, 20), start.darkPixels(scoreCorner, 20)); // more digits
    EXPECT_GT(over.pixelsLike(practiceNote, amber, 40), 100) << "the panel says it was not recorded";
    EXPECT_EQ(readWholeFile(scores), earlier);

    // The lost game's last frame may write on after "GAME OVERRRRRR"; a key answered in a later frame marks
    // where the new game's output starts.
    ASSERT_TRUE(game().waitForLaterFrame());
    const std::size_t before = game().outputSize();
    game().key("Return");
    const auto playsAgain = [&](const ScreenImage& s) {
        return brightness(s, gameOverBox) > 0.8 * brightness(start, gameOverBox) &&
               s.darkPixels(scoreCorner, 20) <= start.darkPixels(scoreCorner, 20) * 5 / 4 &&
               s.changedShare(start, lifepointsDigit) < over.changedShare(start, lifepointsDigit) / 2;
    };
    const ScreenImage again = game().screenWhen("again", playsAgain);
    EXPECT_GT(brightness(again, gameOverBox), 0.8 * brightness(start, gameOverBox));
    EXPECT_LE(again.darkPixels(scoreCorner, 20), start.darkPixels(scoreCorner, 20) * 5 / 4); // near 0
    // 5 again (the falling stone may pass behind the digit, so compare with the 0 of game over)
    EXPECT_LT(again.changedShare(start, lifepointsDigit), over.changedShare(start, lifepointsDigit) / 2);

    // The spawners start afresh: the first beetle comes after 10 s of the new game's time, told by the
    // new stone's landing tests (3 passages take 8.0 s, the 4th comes at 10.6 s).
    ASSERT_TRUE(game().waitForOutputWhilePlaying("Spawning on ", before));
    const std::string newGame = game().output().substr(before);
    const int beforeBeetle = landingTests(newGame.substr(0, newGame.find("Spawning on ")));
    EXPECT_GE(beforeBeetle, 3) << newGame;
    EXPECT_LE(beforeBeetle, 2 * 3) << newGame;
    EXPECT_TRUE(game().holdUntil("space", "HAHA", 30.0)); // the new stone falls and lands
    EXPECT_EQ(game().output().find("GAME OVER", before), std::string::npos);
}

} // namespace
