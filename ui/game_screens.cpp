#include "ui/game_screens.hpp"

#include "render/text_renderer.hpp"
#include "ui/panel_text.hpp"

#include <GL/glew.h>

#include <ctime>
#include <sstream>

namespace {

const glm::vec4 panelColour(0.04f, 0.05f, 0.07f, 0.72f); // dark and translucent: the scene shows through
const glm::vec3 textColour(0.96f, 0.94f, 0.86f);
const glm::vec3 markedColour(1.0f, 0.78f, 0.25f);

// The score as the HUD writes it (the stream's default float format).
std::string scoreLineOf(float displayedScore)
{
    std::ostringstream line;
    line << "SCORE: " << displayedScore;
    return line.str();
}

float anchoredX(const PanelLine& line, const TextRenderer& font)
{
    const float width = font.advanceOf(line.text, line.scale);
    switch (line.align) {
    case PanelLine::Align::Centre: return line.x - width / 2.0f;
    case PanelLine::Align::Right: return line.x - width;
    case PanelLine::Align::Left: break;
    }
    return line.x;
}

} // namespace

GameScreens::GameScreens(std::ostream& notes, const std::string& scoreDirectory)
    : store_(scoreDirectory.empty() ? ScoreStore::defaultDirectory() : scoreDirectory, notes),
      backdrop_(std::make_unique<PanelBackdrop>())
{
}

void GameScreens::gameOver(float displayedScore)
{
    if (!recorded_)
        record(displayedScore);
}

void GameScreens::quitting(float displayedScore, float playedSeconds)
{
    if (!recorded_ && playedSeconds >= minimumQuitPlay)
        record(displayedScore);
}

void GameScreens::newGame()
{
    recorded_ = false;
    result_ = {};
    scoreLine_.clear();
}

void GameScreens::record(float displayedScore)
{
    recorded_ = true;
    scoreLine_ = scoreLineOf(displayedScore);
    result_ = store_.record(ScoreTable::entryAt(static_cast<long long>(displayedScore), std::time(nullptr)));
}

void GameScreens::draw(Screen screen, const Fonts& fonts)
{
    if (screen == Screen::Playing)
        return;
    const PanelLayout panel = screen == Screen::Paused
                                  ? PanelText::pause()
                                  : PanelText::gameOver(scoreLine_, result_.table, result_.rank, result_.saved);
    // Panels stay solid in wireframe mode (F3) and lie over everything in the scene.
    GLint polygonMode[2] = {GL_FILL, GL_FILL};
    glGetIntegerv(GL_POLYGON_MODE, polygonMode);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    const GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST);
    glDisable(GL_DEPTH_TEST);

    backdrop_->draw(panel.box.x, panel.box.y, panel.box.width, panel.box.height, panelColour);
    for (const PanelLine& line : panel.lines) {
        TextRenderer& font = line.font == PanelLine::Font::Title ? fonts.title : fonts.body;
        font.drawText(fonts.program, line.text, anchoredX(line, font), line.y, line.scale,
                      line.marked ? markedColour : textColour);
    }

    if (depthTest == GL_TRUE)
        glEnable(GL_DEPTH_TEST);
    glPolygonMode(GL_FRONT_AND_BACK, static_cast<GLenum>(polygonMode[0]));
}
