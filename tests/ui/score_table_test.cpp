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

} // namespace
