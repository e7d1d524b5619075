// The high-score table in memory and as text.

#include "ui/score_table.hpp"

#include <gtest/gtest.h>

namespace {

ScoreEntry entry(long long score, const char* when = "2026-01-02 03:04:05")
{
    return ScoreEntry{score, when};
}

TEST(ScoreTableTest, KeepsTheTenBestInOrderWithEarlierTiesAhead)
{
    ScoreTable table;
    EXPECT_EQ(table.insert(entry(300)), 0);
    EXPECT_EQ(table.insert(entry(500)), 0);
    EXPECT_EQ(table.insert(entry(400)), 1);
    EXPECT_EQ(table.insert(entry(400, "2026-01-02 03:04:06")), 2); // the earlier 400 stays ahead
    for (int i = 0; i < 6; ++i)
        table.insert(entry(100 + i));
    ASSERT_EQ(table.entries().size(), ScoreTable::capacity);

    EXPECT_EQ(table.insert(entry(50)), -1);  // below the tenth: not in the table
    EXPECT_EQ(table.insert(entry(100)), -1); // equal to the tenth does not push it out
    EXPECT_EQ(table.insert(entry(450)), 1);  // the best ten shift down, the last falls off
    ASSERT_EQ(table.entries().size(), ScoreTable::capacity);
    EXPECT_EQ(table.entries()[0].score, 500);
    EXPECT_EQ(table.entries()[1].score, 450);
    EXPECT_EQ(table.entries()[2].when, "2026-01-02 03:04:05");
    EXPECT_EQ(table.entries()[3].when, "2026-01-02 03:04:06");
    EXPECT_EQ(table.entries().back().score, 101);
}

TEST(ScoreTableTest, TextIsReadableAndReadsBack)
{
    ScoreTable table;
    table.insert(entry(1216, "2026-12-08 06:30:13"));
    table.insert(entry(0, "2026-12-08 07:00:00"));
    const std::string text = table.text();
    EXPECT_NE(text.find("\n1216 2026-12-08 06:30:13\n"), std::string::npos) << text;

    const std::optional<ScoreTable> back = ScoreTable::parse(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->entries(), table.entries());

    // Hand-edited files: blank lines, comments, unsorted and more than ten entries are fine.
    std::string edited = "\n# mine\n";
    for (int i = 1; i <= 12; ++i)
        edited += std::to_string(i * 10) + "  2026-12-08 06:30:13 \n";
    const std::optional<ScoreTable> many = ScoreTable::parse(edited);
    ASSERT_TRUE(many);
    EXPECT_EQ(many->entries().size(), ScoreTable::capacity);
    EXPECT_EQ(many->entries().front().score, 120);
}

TEST(ScoreTableTest, AnythingButEntriesIsDamage)
{
    for (const char* text : {"1216 2026-12-08\n", "1216 2026-12-08 06:30:13 extra\n", "x 2026-12-08 06:30:13\n",
                             "1216 2026-13-08 06:30:13\n", "-5 2026-12-08 06:30:13\n", "\x7f" "ELF\x02\x01"})
        EXPECT_FALSE(ScoreTable::parse(text)) << text;
}

// Tables edited by hand: what an editor adds is skipped, a bad line costs only itself.
TEST(ScoreTableTest, HandEditsKeepTheGoodLinesAndCountTheOthers)
{
    const struct {
        const char* text;
        std::vector<long long> scores;
        std::size_t badLines;
    } cases[] = {
        {"\xEF\xBB\xBF# Quarvel high scores\n700 2026-12-08 06:00:00\n", {700}, 0},
        {"700 2026-12-08 06:00:00 # my best\n600 2026-12-08 06:00:00#no space\n", {700, 600}, 0},
        {"700 2026-12-08 06:00:00\r\n  # indented comment\r\n\r\n", {700}, 0},
        {"700 2026-12-08 06:00:00\nnot a score\n500 2026-12-08 06:00:00\n", {700, 500}, 1},
        {"99999999999999999999 2026-12-08 06:00:00\n300 2026-12-08 06:00:00\n", {300}, 1},
        {"9223372036854775807 2026-12-08 06:00:00\n", {9223372036854775807LL}, 0},
        {"+5 2026-12-08 06:00:00\n700 2026-12-08\n", {}, 2},
        {"\xEF\xBB\xBF\xEF\xBB\xBF"
         "700 2026-12-08 06:00:00\n",
         {},
         1}, // only the first mark is an editor's
    };
    for (const auto& c : cases) {
        const ScoreTable::Parsed parsed = ScoreTable::read(c.text);
        std::vector<long long> scores;
        for (const ScoreEntry& e : parsed.table.entries())
            scores.push_back(e.score);
        EXPECT_EQ(scores, c.scores) << c.text;
        EXPECT_EQ(parsed.badLines, c.badLines) << c.text;
        EXPECT_EQ(ScoreTable::parse(c.text).has_value(), c.badLines == 0) << c.text;
    }
}

} // namespace
