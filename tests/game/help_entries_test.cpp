// The game's help: every key the player has is listed in its block, and the panel is legible in the
// game's fonts inside the picture.

#include "game/help_entries.hpp"
#include "render/text_renderer.hpp"
#include "ui/panel_painter.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Group = HelpEntry::Group;

TEST(HelpEntries, NameEveryKeyInItsBlock)
{
    const struct {
        const char* keys;
        Group group;
    } expected[] = {
        {"Left", Group::Player},       {"Right", Group::Player},    {"Up", Group::Player},
        {"Down", Group::Player},       {"X", Group::Player},        {"C", Group::Player},
        {"Space (hold)", Group::Player}, {"G", Group::Player},      {"O", Group::Player},
        {"Enter", Group::Player},      {"Escape", Group::Player},   {"Mouse", Group::Player},
        {"W", Group::Player},          {"S", Group::Player},        {"A", Group::Player},
        {"D", Group::Player},          {"M", Group::Player},        {"F1", Group::Player},
        {"F2", Group::Player},         {"P (hold)", Group::Debugging}, {"Q", Group::Debugging},
        {"0", Group::Debugging},       {"1, 2", Group::Debugging},  {"3, 4", Group::Debugging},
        {"F3", Group::Debugging},      {"F4", Group::Debugging},    {"F9", Group::Debugging},
        {"F", Group::Debugging},       {"R", Group::Debugging},
    };
    const std::vector<HelpEntry> entries = helpEntries();
    EXPECT_EQ(entries.size(), std::size(expected));
    for (const auto& key : expected) {
        SCOPED_TRACE(key.keys);
        const auto found = std::find_if(entries.begin(), entries.end(),
                                        [&](const HelpEntry& entry) { return entry.keys == key.keys; });
        ASSERT_NE(found, entries.end());
        EXPECT_EQ(found->group, key.group);
        EXPECT_FALSE(found->action.empty());
    }
}

// Measured with the game's fonts: every text lies inside the panel, the panel inside the picture and
// below the score line, and no text runs into another on its row.
TEST(HelpEntries, PanelFitsThePictureInTheGamesFonts)
{
    TextRenderer title;
    TextRenderer body;
    title.loadFont("digital-7.ttf");
    body.loadFont("Crickx.otf");
    for (const bool paused : {false, true}) {
        const PanelLayout panel = HelpPanel::layout(helpEntries(), paused);
        const PanelBox& box = panel.box;
        EXPECT_GE(box.x, 0.0f);
        EXPECT_GE(box.y, 0.0f);
        EXPECT_LE(box.x + box.width, 1024.0f);
        EXPECT_LE(box.y + box.height, 715.0f) << "the score and lifepoints stay in view";
        std::vector<PanelBox> taken;
        for (const PanelLine& line : panel.lines) {
            SCOPED_TRACE(line.text);
            const TextRenderer& font = line.font == PanelLine::Font::Title ? title : body;
            const PanelBox text = PanelPainter::textBox(font, line.text, PanelPainter::startOf(line, font), line.y,
                                                        line.scale, 0.0f);
            EXPECT_GE(text.x, box.x + 8.0f);
            EXPECT_LE(text.x + text.width, box.x + box.width - 8.0f);
            EXPECT_GE(text.y, box.y + 8.0f);
            EXPECT_LE(text.y + text.height, box.y + box.height - 8.0f);
            for (const PanelBox& other : taken) {
                const bool apart = text.x + text.width <= other.x || other.x + other.width <= text.x ||
                                   text.y + text.height <= other.y || other.y + other.height <= text.y;
                EXPECT_TRUE(apart) << "runs into another text";
            }
            taken.push_back(text);
        }
    }
}

} // namespace
