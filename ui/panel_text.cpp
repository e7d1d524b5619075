#include "ui/panel_text.hpp"

namespace {

constexpr float screenCentre = 512.0f; // pixels, middle of the 1024-wide text screen
constexpr float titleScale = 1.5f;
constexpr float bodyScale = 0.55f;
constexpr float rowScale = 0.5f;
constexpr float rowSpacing = 32.0f; // pixels between table rows

// Table columns: rank and score right-aligned, date and time left-aligned.
constexpr float rankRight = 330.0f;
constexpr float scoreRight = 500.0f;
constexpr float whenLeft = 540.0f;
constexpr float markerLeft = 240.0f;

PanelLine centred(std::string text, PanelLine::Font font, float y, float scale)
{
    return {std::move(text), font, PanelLine::Align::Centre, screenCentre, y, scale};
}

void addRow(PanelLayout& panel, int index, const ScoreEntry& entry, bool marked, float y)
{
    using Align = PanelLine::Align;
    const PanelLine::Font body = PanelLine::Font::Body;
    if (marked)
        panel.lines.push_back({">", body, Align::Left, markerLeft, y, rowScale, true});
    panel.lines.push_back({std::to_string(index + 1) + ".", body, Align::Right, rankRight, y, rowScale, marked});
    panel.lines.push_back({std::to_string(entry.score), body, Align::Right, scoreRight, y, rowScale, marked});
    panel.lines.push_back({entry.when, body, Align::Left, whenLeft, y, rowScale, marked});
}

} // namespace

PanelLayout PanelText::pause()
{
    PanelLayout panel{{312.0f, 330.0f, 400.0f, 150.0f}, {}};
    panel.lines.push_back(centred("PAUSED", PanelLine::Font::Title, 410.0f, 1.2f));
    panel.lines.push_back(centred("O: resume", PanelLine::Font::Body, 352.0f, bodyScale));
    return panel;
}

PanelLayout PanelText::gameOver(const std::string& scoreLine, const ScoreTable& table, int rank, bool saved,
                                bool practice)
{
    using Font = PanelLine::Font;
    PanelLayout panel{{212.0f, 70.0f, 600.0f, 650.0f}, {}};
    panel.lines.push_back(centred("GAME OVER", Font::Title, 640.0f, titleScale));
    panel.lines.push_back(centred(scoreLine, Font::Title, 585.0f, 1.0f));
    panel.lines.push_back(centred("HIGH SCORES", Font::Body, 535.0f, bodyScale));
    float y = 495.0f;
    for (std::size_t i = 0; i < table.entries().size(); ++i, y -= rowSpacing)
        addRow(panel, static_cast<int>(i), table.entries()[i], static_cast<int>(i) == rank, y);
    if (!saved)
        panel.lines.push_back(centred("(scores could not be saved)", Font::Body, 140.0f, 0.4f));
    if (practice) {
        panel.lines.push_back(centred("Practice game: not recorded", Font::Body, 140.0f, bodyScale));
        panel.lines.back().marked = true;
    }
    panel.lines.push_back(centred("Enter: play again     Escape: quit", Font::Body, 95.0f, bodyScale));
    return panel;
}
