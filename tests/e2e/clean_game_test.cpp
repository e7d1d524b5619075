// A whole game played without a debugging key, lost to the creatures as they come on their own: its
// score enters the table, marked on the game-over panel, with no practice note.

#include "tests/support/game_session.hpp"
#include "tests/support/scratch_dir.hpp"
#include "tests/support/screen_image.hpp"
#include "tests/support/temp_file.hpp"
#include "ui/score_table.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const ScreenRegion practiceNote{312, 640, 400, 32}; // screen pixels from the top left
const ScreenRegion tableRows{230, 300, 560, 300};
const int amber[3] = {255, 199, 64}; // the panel's marked colour

TEST(CleanGame, ItsGameOverEntersTheTable)
{
    GameSession game;
    const std::string scores = game.dataHome() + "/quarvel/scores";
    std::filesystem::create_directories(game.dataHome() + "/quarvel");
    writeText(scores, "30 2026-01-02 10:00:00\n");
    ASSERT_TRUE(game.waitForWindow()) << game.output() << game.errors();
    // Five creatures reach the chest in about two minutes of play.
    ASSERT_TRUE(game.waitForOutput("GAME OVERRRRRR\n", 400.0)) << game.errors();

    const std::optional<ScoreTable> table = ScoreTable::parse(readWholeFile(scores));
    ASSERT_TRUE(table);
    ASSERT_EQ(table->entries().size(), 2u);
    EXPECT_GT(table->entries()[0].score, 300); // 4 points a second, 100 a creature
    EXPECT_EQ(table->entries()[1].score, 30);

    sleepSeconds(1.0); // a few frames of the panel
    const std::string path = (std::filesystem::temp_directory_path() / "quarvel-clean-game-over.png").string();
    ASSERT_TRUE(game.screenshot(path));
    const ScreenImage over(path);
    EXPECT_LT(over.pixelsLike(practiceNote, amber, 40), 20) << "no practice note";
    EXPECT_GT(over.pixelsLike(tableRows, amber, 40), 100) << "this game's entry marked";
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0) << game.errors();
}

} // namespace
