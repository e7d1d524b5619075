#pragma once
// Draws the heads-up texts, each on the strip its line asks for, and the help panel.

#include "game/hud.hpp"
#include "ui/panel_painter.hpp"

#include <vector>

class HudView {
public:
    static const glm::vec4 stripColour;   // pale and translucent: black digits read over trees and sky
    static const glm::vec4 warningColour; // amber
    static constexpr float stripMargin = 4.0f; // pixels around the glyphs

    // Needs a current GL context.
    HudView() = default;

    // The lines in their fonts, in black as the HUD always was, over their strips.
    void drawLines(const std::vector<HudLine>& lines, const PanelFonts& fonts);
    // A panel over everything (the help).
    void drawPanel(const PanelLayout& panel, const PanelFonts& fonts) { painter_.draw(panel, fonts); }

private:
    PanelPainter painter_;
};
