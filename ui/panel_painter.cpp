#include "ui/panel_painter.hpp"

#include "render/text_renderer.hpp"

#include <GL/glew.h>

#include <algorithm>

const glm::vec4 PanelPainter::boxColour(0.04f, 0.05f, 0.07f, 0.72f);
const glm::vec3 PanelPainter::textColour(0.96f, 0.94f, 0.86f);
const glm::vec3 PanelPainter::markedColour(1.0f, 0.78f, 0.25f);

namespace {

// Panels lie over everything in the scene and stay solid in wireframe mode (F3); the state goes back
// as it was when this goes.
class OverlayState {
public:
    OverlayState() : depthTest_(glIsEnabled(GL_DEPTH_TEST))
    {
        glGetIntegerv(GL_POLYGON_MODE, polygonMode_);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glDisable(GL_DEPTH_TEST);
    }
    ~OverlayState()
    {
        if (depthTest_ == GL_TRUE)
            glEnable(GL_DEPTH_TEST);
        glPolygonMode(GL_FRONT_AND_BACK, static_cast<GLenum>(polygonMode_[0]));
    }
    OverlayState(const OverlayState&) = delete;
    OverlayState& operator=(const OverlayState&) = delete;

private:
    GLint polygonMode_[2] = {GL_FILL, GL_FILL};
    GLboolean depthTest_;
};

} // namespace

void PanelPainter::draw(const PanelLayout& panel, const PanelFonts& fonts)
{
    const OverlayState overlay;
    backdrop_.draw(panel.box.x, panel.box.y, panel.box.width, panel.box.height, boxColour);
    for (const PanelLine& line : panel.lines) {
        TextRenderer& font = line.font == PanelLine::Font::Title ? fonts.title : fonts.body;
        font.drawText(fonts.program, line.text, startOf(line, font), line.y, line.scale,
                      line.marked ? markedColour : textColour);
    }
}

void PanelPainter::fill(const PanelBox& box, const glm::vec4& colour)
{
    const OverlayState overlay;
    backdrop_.draw(box.x, box.y, box.width, box.height, colour);
}

PanelBox PanelPainter::textBox(const TextRenderer& font, const std::string& text, float x, float y, float scale,
                               float margin)
{
    float top = 0.0f;
    float bottom = 0.0f;
    for (const char code : text) {
        const auto glyph = font.characters().find(code);
        if (glyph == font.characters().end())
            continue;
        top = std::max(top, static_cast<float>(glyph->second.bearing.y));
        bottom = std::min(bottom, static_cast<float>(glyph->second.bearing.y - glyph->second.size.y));
    }
    const float width = font.advanceOf(text, scale);
    return {x - margin, y + bottom * scale - margin, width + 2.0f * margin, (top - bottom) * scale + 2.0f * margin};
}

float PanelPainter::startOf(const PanelLine& line, const TextRenderer& font)
{
    const float width = font.advanceOf(line.text, line.scale);
    switch (line.align) {
    case PanelLine::Align::Centre: return line.x - width / 2.0f;
    case PanelLine::Align::Right: return line.x - width;
    case PanelLine::Align::Left: break;
    }
    return line.x;
}
