// The help panel's layout: every entry once in its block, all of it legible inside the picture.

#include "ui/help_panel.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

std::string numbered(const char* text, int number)
{
    std::ostringstream named;
    named << text << number;
    return named.str();
}

std::vector<HelpEntry> someEntries(int player, int debugging)
{
    std::vector<HelpEntry> entries;
    for (int i = 0; i < player; ++i)
        entries.push_back({numbered("Key", i), numbered("player action ", i)});
    for (int i = 0; i < debugging; ++i)
        entries.push_back({numbered("D", i), numbered("debugging action ", i), HelpEntry::Group::Debugging});
    return entries;
}

const PanelLine* lineWith(const PanelLayout& panel, const std::string& text)
{
    const auto found = std::find_if(panel.lines.begin(), panel.lines.end(),
                                    [&](const PanelLine& line) { return line.text == text; });
    return found == panel.lines.end() ? nullptr : &*found;
}

TEST(HelpPanel, ListsEachEntryOnceWithTheDebuggingKeysSmallerBelow)
{
    const struct {
        int player, debugging;
    } counts[] = {{1, 0}, {19, 10}, {HelpPanel::maxPlayerEntries, HelpPanel::maxDebuggingEntries}};
    for (const auto& count : counts) {
        SCOPED_TRACE(testing::Message() << count.player << " and " << count.debugging);
        const std::vector<HelpEntry> entries = someEntries(count.player, count.debugging);
        const PanelLayout panel = HelpPanel::layout(entries, false);
        const PanelLine* debuggingTitle = nullptr;
        for (const PanelLine& line : panel.lines)
            if (line.text.rfind("Debugging keys", 0) == 0)
                debuggingTitle = &line;
        ASSERT_NE(debuggingTitle, nullptr);
        for (const HelpEntry& entry : entries) {
            SCOPED_TRACE(entry.keys);
            const PanelLine* key = lineWith(panel, entry.keys);
            const PanelLine* action = lineWith(panel, entry.action);
            ASSERT_NE(key, nullptr);
            ASSERT_NE(action, nullptr);
            EXPECT_TRUE(key->marked);
            EXPECT_FLOAT_EQ(key->y, action->y) << "on one row";
            const bool debugging = entry.group == HelpEntry::Group::Debugging;
            EXPECT_EQ(key->y < debuggingTitle->y, debugging);
            EXPECT_EQ(action->scale < 0.45f, debugging) << "the debugging block is the smaller one";
        }
    }
}

TEST(HelpPanel, LeavesOutWhatHasNoRoomAndSaysWhenTheGameIsPaused)
{
    const std::vector<HelpEntry> entries =
        someEntries(HelpPanel::maxPlayerEntries + 1, HelpPanel::maxDebuggingEntries + 1);
    const PanelLayout panel = HelpPanel::layout(entries, true);
    EXPECT_EQ(lineWith(panel, numbered("Key", HelpPanel::maxPlayerEntries)), nullptr);
    EXPECT_EQ(lineWith(panel, numbered("D", HelpPanel::maxDebuggingEntries)), nullptr);
    EXPECT_NE(lineWith(panel, "HELP - PAUSED"), nullptr);
    EXPECT_NE(lineWith(HelpPanel::layout(entries, false), "HELP"), nullptr);
}

} // namespace
