#pragma once
// Draws panels over the scene: a translucent box and its lines of text, and bare strips behind texts.

#include "ui/panel_backdrop.hpp"
#include "ui/panel_text.hpp"

#include <glm/glm.hpp>

class ShaderProgram;
class TextRenderer;

// The fonts and program the game draws its texts with; the panels reuse them.
struct PanelFonts {
    TextRenderer& title; // the score font
    TextRenderer& body;  // the help font
    const ShaderProgram& program;
};

class PanelPainter {
public:
    static const glm::vec4 boxColour; // dark and translucent: the scene shows through
    static const glm::vec3 textColour;
    static const glm::vec3 markedColour;

    // Needs a current GL context (the backdrop).
    PanelPainter() = default;

    // The box, then the lines, over everything in the scene and filled even in wireframe mode.
    // Leaves the polygon mode and the depth test as it found them.
    void draw(const PanelLayout& panel, const PanelFonts& fonts);
    // A box of colour blended over the scene (a strip behind a text); the same state rules as draw.
    void fill(const PanelBox& box, const glm::vec4& colour);

    // Where the line's text starts for its alignment, pixels.
    static float startOf(const PanelLine& line, const TextRenderer& font);
    // The box the glyphs of text drawn at (x, y) and scale cover, grown by margin pixels on every side.
    static PanelBox textBox(const TextRenderer& font, const std::string& text, float x, float y, float scale,
                            float margin);

private:
    PanelBackdrop backdrop_;
};
