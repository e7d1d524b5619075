// The real game in a window: it starts, shows its window and ends cleanly.

#include "tests/e2e/game_test.hpp"

#include <gtest/gtest.h>

namespace {

class GameWindow : public GameTest {};

TEST_F(GameWindow, EscapeEndsTheGameWithStatusZero)
{
    GameTestSession& game = start();
    ASSERT_TRUE(game.waitUntilPlaying()) << game.output() << game.errors();
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0) << game.errors();
}

TEST_F(GameWindow, ClosingTheWindowEndsTheGameWithStatusZero)
{
    GameTestSession& game = start();
    ASSERT_TRUE(game.waitUntilPlaying()) << game.output() << game.errors();
    game.closeWindow();
    EXPECT_EQ(game.waitForExit(), 0) << game.errors();
}

} // namespace
