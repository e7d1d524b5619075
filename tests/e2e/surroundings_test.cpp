// The real game started with its standard output closed, or piped to a reader that leaves early.

#include "tests/support/game_session.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Surroundings, ClosedStandardOutputDoesNotStopThePlay)
{
    GameSession game({.output = GameSession::Output::Closed});
    ASSERT_TRUE(game.waitForWindow()) << game.errors();
    sleepSeconds(1.0);
    game.key("r"); // a trace
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0) << game.errors();
}

TEST(Surroundings, ReaderLeavingThePipeSilencesTheTracesAndPlayGoesOn)
{
    GameSession game({.output = GameSession::Output::LeavingReader});
    ASSERT_TRUE(game.waitForWindow()) << game.errors();
    EXPECT_EQ(game.output().size(), 100u);
    EXPECT_EQ(game.output().substr(0, 5), "vec4(");
    for (const char* key : {"r", "Left", "r"}) { // traces into the closed pipe
        game.key(key);
        sleepSeconds(0.5);
    }
    EXPECT_TRUE(game.running());
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0) << game.errors();
}

} // namespace
