#include "game/hud_view.hpp"

#include "render/text_renderer.hpp"

const glm::vec4 HudView::stripColour(0.97f, 0.97f, 0.92f, 0.68f);
const glm::vec4 HudView::warningColour(1.0f, 0.72f, 0.2f, 0.9f);

void HudView::drawLines(const std::vector<HudLine>& lines, const PanelFonts& fonts)
{
    const glm::vec3 black(0.0f);
    for (const HudLine& line : lines) {
        TextRenderer& font = line.font == HudLine::Font::Score ? fonts.title : fonts.body;
        if (line.backing != HudLine::Backing::None) {
            const PanelBox box = PanelPainter::textBox(font, line.text, line.x, line.y, line.scale, stripMargin);
            painter_.fill(box, line.backing == HudLine::Backing::Warning ? warningColour : stripColour);
        }
        font.drawText(fonts.program, line.text, line.x, line.y, line.scale, black);
    }
}
