// When a game's score enters the table: once at game over, or on quitting after a minute of play.

#include "ui/game_screens.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

TEST(GameScreensTest, AScoreEntersOncePerGameAtGameOverOrAfterAMinute)
{
    char pattern[] = "/tmp/quarvel-screens-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string directory = std::string(pattern) + "/quarvel";
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
    std::filesystem::remove_all(pattern);
}

} // namespace
