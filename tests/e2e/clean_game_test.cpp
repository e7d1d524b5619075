// A whole game played without a debugging key, lost to the creatures as they come on their own: its
// score enters the table, marked on the game-over panel, with no practice note.

#include "tests/e2e/game_test.hpp"
#include "tests/support/scratch_dir.hpp"
#include "tests/support/temp_file.hpp"
#include "ui/score_table.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const ScreenRegion practiceNote{312, 640, 400, 32}; // screen pixels from the top left
const ScreenRegion tableRows{230, 300, 560, 300};
const int amber[3] = {255, 199, 64}; // the panel's marked colour

using CleanGame = GameTest;

TEST_F(CleanGame, ItsGameOverEntersTheTable)
{
    GameTestSession& game = start();
    const std::string scores = game.dataHome() + "/quarvel/scores";
    std::filesystem::create_directories(game.dataHome() + "/quarvel");
    writeText(scores, "30 2026-01-02 10:00:00\n");
    ASSERT_TRUE(game.waitUntilPlaying()) << game.output() << game.errors();
    // Five creatures reach the chest in about two minutes of play.
    ASSERT_TRUE(game.waitForOutputWhilePlaying("GAME OVERRRRRR\n", 0)) << game.errors();

    const std::optional<ScoreTable> table = ScoreTable::parse(readWholeFile(scores));
    ASSERT_TRUE(table);
    ASSERT_EQ(table->entries().size(), 2u);
    EXPECT_GT(table->entries()[0].score, 300); // 4 points a second, 100 a creature
    EXPECT_EQ(table->entries()[1].score, 30);

    const auto entryMarked = [](const ScreenImage& s) { return s.pixelsLike(tableRows, amber, 40) > 100; };
    const ScreenImage over = game.screenWhen("over", entryMarked);
    EXPECT_TRUE(entryMarked(over)) << "this game's entry marked";
    EXPECT_LT(over.pixelsLike(practiceNote, amber, 40), 20) << "no practice note";
}

} // namespace
