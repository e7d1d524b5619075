// When a game's score enters the table: once at game over, or on quitting after a minute of play.

#include "ui/game_screens.hpp"
#include "tests/support/scratch_dir.hpp"
#include "tests/support/temp_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

namespace {

TEST(GameScreensTest, AScoreEntersOncePerGameAtGameOverOrAfterAMinute)
{
    const ScratchDir scratch;
    const std::string directory = scratch.file("quarvel");
    std::ostringstream notes;
    GameScreens screens(notes, directory);

    screens.quitting(236.0f, 59.0f); // quit too early: not a game for the table
    EXPECT_FALSE(std::filesystem::exists(directory + "/scores"));

    screens.gameOver(1216.0f);
    screens.gameOver(1300.0f); // the same game, later frames
    screens.quitting(1300.0f, 300.0f);
    ASSERT_EQ(screens.lastResult().table.entries().size(), 1u);
    EXPECT_EQ(screens.lastResult().table.entries()[0].score, 1216);
    EXPECT_EQ(screens.lastResult().rank, 0);

    screens.newGame();
    screens.quitting(240.0f, 60.0f);
    EXPECT_EQ(screens.lastResult().table.entries().size(), 2u);
    EXPECT_EQ(screens.lastResult().rank, 1);
    EXPECT_EQ(notes.str(), "");
}

// A game changed by a debugging key leaves the table as it was, at game over and on quitting; the
// panel still shows the table, says why the score is missing, and the next game counts again.
TEST(GameScreensTest, PracticeGamesAreNotRecorded)
{
    const ScratchDir scratch;
    const std::string directory = scratch.file("quarvel");
    std::ostringstream notes;
    GameScreens screens(notes, directory);
    screens.gameOver(500.0f); // one clean game in the table
    const std::string scores = directory + "/scores";
    const auto tableText = [&] { return readWholeFile(scores); };
    const std::string before = tableText();

    const struct {
        const char* name;
        std::function<void(GameScreens&)> end;
    } endings[] = {{"game over", [](GameScreens& s) { s.gameOver(9000.0f); }},
                   {"quit after a long game", [](GameScreens& s) { s.quitting(9000.0f, 600.0f); }}};
    for (const auto& ending : endings) {
        SCOPED_TRACE(ending.name);
        screens.newGame();
        EXPECT_FALSE(screens.practice());
        screens.practiceGame();
        EXPECT_TRUE(screens.practice());
        ending.end(screens);
        EXPECT_EQ(tableText(), before);
    }
    screens.newGame();
    screens.practiceGame();
    screens.gameOver(9000.0f);
    EXPECT_EQ(screens.lastResult().rank, -1);
    ASSERT_EQ(screens.lastResult().table.entries().size(), 1u) << "the panel shows the table as it is";
    EXPECT_EQ(screens.lastResult().table.entries()[0].score, 500);

    screens.newGame();
    screens.gameOver(700.0f);
    EXPECT_EQ(screens.lastResult().rank, 0);
    EXPECT_NE(tableText(), before);
    screens.practiceGame(); // a debugging key on the game-over panel: the recorded game stays recorded
    EXPECT_FALSE(screens.practice());
    EXPECT_EQ(notes.str(), "");
}

} // namespace
