// The help panel: every entry once, the debugging keys apart and smaller, all of it legible in the game's
// fonts inside the picture.

#include "game/help_entries.hpp"
#include "render/text_renderer.hpp"
#include "ui/panel_painter.hpp"

#include <gtest/gtest.h>

namespace {

const PanelLine* lineWith(const PanelLayout& panel, const std::string& text)
{
    for (const PanelLine& line : panel.lines)
        if (line.text == text)
            return &line;
    return nullptr;
}

TEST(HelpEntries, EachOnceWithTheDebuggingKeysSmallerBelow)
{
    const PanelLayout panel = HelpPanel::layout(helpEntries(BindingTable()), false);
    const PanelLine* debuggingTitle = nullptr;
    for (const PanelLine& line : panel.lines)
        if (line.text.rfind("Debugging keys", 0) == 0)
            debuggingTitle = &line;
    ASSERT_NE(debuggingTitle, nullptr);
    for (const HelpEntry& entry : helpEntries(BindingTable())) {
        SCOPED_TRACE(entry.keys);
        const PanelLine* key = lineWith(panel, entry.keys);
        const PanelLine* action = lineWith(panel, entry.action);
        ASSERT_TRUE(key && action);
        EXPECT_TRUE(key->marked);
        EXPECT_FLOAT_EQ(key->y, action->y) << "on one row";
        const bool debugging = entry.group == HelpEntry::Group::Debugging;
        EXPECT_EQ(key->y < debuggingTitle->y, debugging);
        EXPECT_EQ(action->scale < 0.45f, debugging) << "the debugging block is the smaller one";
    }
    EXPECT_NE(lineWith(HelpPanel::layout(helpEntries(BindingTable()), true), "HELP - PAUSED"), nullptr);
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
        const PanelLayout panel = HelpPanel::layout(helpEntries(BindingTable()), paused);
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
