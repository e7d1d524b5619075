// The HUD texts, their fonts, places and number formats.

#include "game/hud.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Hud, StartShowsScoreZeroAndFiveLifepoints)
{
    const std::vector<HudLine> lines = Hud::lines(HudState{});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "SCORE: 0");
    EXPECT_EQ(lines[0].font, HudLine::Font::Score);
    EXPECT_FLOAT_EQ(lines[0].x, 0.0f);
    EXPECT_FLOAT_EQ(lines[0].y, 730.0f);
    EXPECT_FLOAT_EQ(lines[0].scale, 1.0f);
    EXPECT_EQ(lines[1].text, "LIFEPOINTS: 5");
    EXPECT_FLOAT_EQ(lines[1].x, 774.0f);
    EXPECT_FLOAT_EQ(lines[1].y, 730.0f);
}

TEST(Hud, ScoreCountsFourPointsPerSecondRoundedPlusEarnedPoints)
{
    EXPECT_EQ(Hud::lines({.score = 0, .elapsed = 10.1f}).front().text, "SCORE: 40");
    EXPECT_EQ(Hud::lines({.score = 100, .elapsed = 10.1f}).front().text, "SCORE: 140");
    EXPECT_FLOAT_EQ(Hud::displayedScore(0, 0.125f), 1.0f); // 0.5 rounds away from zero
    EXPECT_FLOAT_EQ(Hud::displayedScore(0, 0.12f), 0.0f);
}

TEST(Hud, LargeScoresUseTheStreamsExponentForm)
{
    EXPECT_EQ(Hud::lines({.score = 1000000}).front().text, "SCORE: 1e+06");
    EXPECT_EQ(Hud::lines({.score = 999999}).front().text, "SCORE: 999999");
}

TEST(Hud, HelpTextHasFiveLinesInTheHelpFont)
{
    const std::vector<HudLine> lines = Hud::lines({.showHelp = true});
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[2].text, "Defend the treasure in the middle by blocking the way ");
    EXPECT_EQ(lines[3].text, "or smashing the enemies with the falling stones.");
    EXPECT_EQ(lines[4].text, "Mouse, wasd: Camera Movement");
    EXPECT_EQ(lines[5].text, "Arrow Keys: Stone Movement");
    EXPECT_EQ(lines[6].text, "Space: accelerate fallspeed");
    for (int i = 2; i < 7; ++i) {
        EXPECT_EQ(lines[i].font, HudLine::Font::Help);
        EXPECT_FLOAT_EQ(lines[i].y, 200.0f - 50.0f * (i - 2));
        EXPECT_FLOAT_EQ(lines[i].scale, 0.6f);
    }
}

TEST(Hud, FrameTimeShowsInfinityBeforeTheFirstSecond)
{
    const std::vector<HudLine> lines = Hud::lines({.framesLastSecond = 0, .showFps = true});
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2].text, "ms/frame:inf");
    EXPECT_EQ(lines[3].text, " fps:0");
}

TEST(Hud, FrameTimeAndHelpShareTheBottomLine)
{
    const std::vector<HudLine> lines = Hud::lines({.framesLastSecond = 60, .showHelp = true, .showFps = true});
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[7].text, "ms/frame:16.6667");
    EXPECT_FLOAT_EQ(lines[7].y, 40.0f);
    EXPECT_EQ(lines[8].text, " fps:60");
    EXPECT_FLOAT_EQ(lines[8].y, lines[6].y);
    EXPECT_FLOAT_EQ(lines[8].x, lines[6].x);
}

} // namespace

namespace {

// Score and lifepoints on strips; the practice mark and the help hint after them when asked for.
TEST(Hud, ScoreOnStripsAndPracticeAndHintMarks)
{
    const std::vector<HudLine> lines = Hud::lines({.practice = true, .helpHint = true});
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].backing, HudLine::Backing::Strip);
    EXPECT_EQ(lines[1].backing, HudLine::Backing::Strip);
    EXPECT_EQ(lines[2].text, "PRACTICE");
    EXPECT_EQ(lines[2].backing, HudLine::Backing::Warning);
    EXPECT_EQ(lines[3].text, "F1: help");
    EXPECT_EQ(Hud::lines({}).size(), 2u);
}

} // namespace
