#include "ui/help_panel.hpp"

namespace {

constexpr float screenCentre = 512.0f; // pixels
const PanelBox box{72.0f, 22.0f, 880.0f, 680.0f}; // below the score and lifepoints

// One block of entries in two columns: the keys right-aligned and marked, the actions after them.
struct Block {
    float firstRow;   // baseline of the first row, pixels
    float rowSpacing; // pixels
    float scale;
    int maxEntries;
};
constexpr Block playerBlock{536.0f, 28.0f, 0.5f, HelpPanel::maxPlayerEntries};
constexpr Block debuggingBlock{194.0f, 22.0f, 0.4f, HelpPanel::maxDebuggingEntries};
constexpr float keyRight[HelpPanel::columns] = {262.0f, 672.0f}; // pixels
constexpr float actionGap = 14.0f;

PanelLine centred(std::string text, PanelLine::Font font, float y, float scale)
{
    return {std::move(text), font, PanelLine::Align::Centre, screenCentre, y, scale};
}

void addBlock(PanelLayout& panel, const std::vector<HelpEntry>& entries, HelpEntry::Group group, const Block& block)
{
    std::vector<const HelpEntry*> chosen;
    for (const HelpEntry& entry : entries)
        if (entry.group == group && static_cast<int>(chosen.size()) < block.maxEntries)
            chosen.push_back(&entry);
    const std::size_t rows = (chosen.size() + 1) / 2; // the first column takes the extra one
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        const std::size_t column = i / rows;
        const float y = block.firstRow - block.rowSpacing * static_cast<float>(i % rows);
        const float right = keyRight[column];
        panel.lines.push_back({chosen[i]->keys, PanelLine::Font::Body, PanelLine::Align::Right, right, y, block.scale, true});
        panel.lines.push_back(
            {chosen[i]->action, PanelLine::Font::Body, PanelLine::Align::Left, right + actionGap, y, block.scale});
    }
}

} // namespace

PanelLayout HelpPanel::layout(const std::vector<HelpEntry>& entries, bool paused)
{
    using Font = PanelLine::Font;
    PanelLayout panel{box, {}};
    panel.lines.push_back(centred(paused ? "HELP - PAUSED" : "HELP", Font::Title, 650.0f, 1.1f));
    panel.lines.push_back(centred("Beetles and squirrels are after the treasure in the middle. Steer the", Font::Body,
                                  604.0f, 0.45f));
    panel.lines.push_back(centred("falling food to wall them off or crush them: five thefts end the game.",
                                  Font::Body, 578.0f, 0.45f));
    addBlock(panel, entries, HelpEntry::Group::Player, playerBlock);
    panel.lines.push_back(centred("Debugging keys (P, Q and 0 make a practice game, whose score is not recorded)",
                                  Font::Body, 228.0f, 0.4f));
    addBlock(panel, entries, HelpEntry::Group::Debugging, debuggingBlock);
    panel.lines.push_back(centred("F1: close", Font::Body, 44.0f, 0.45f));
    return panel;
}
