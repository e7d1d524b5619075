// The real game in a window: it starts, shows its window and ends cleanly.

#include "tests/support/game_session.hpp"

#include <gtest/gtest.h>

namespace {

TEST(GameWindow, EscapeEndsTheGameWithStatusZero)
{
    GameSession game;
    ASSERT_TRUE(game.waitForWindow()) << game.output() << game.errors();
    sleepSeconds(0.5);
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0) << game.errors();
}

TEST(GameWindow, ClosingTheWindowEndsTheGameWithStatusZero)
{
    GameSession game;
    ASSERT_TRUE(game.waitForWindow()) << game.output() << game.errors();
    sleepSeconds(0.5);
    game.closeWindow();
    EXPECT_EQ(game.waitForExit(), 0) << game.errors();
}

} // namespace
