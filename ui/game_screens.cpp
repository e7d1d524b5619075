#include "ui/game_screens.hpp"

#include "ui/panel_text.hpp"

#include <ctime>
#include <sstream>

namespace {

// The score as the HUD writes it (the stream's default float format).
std::string scoreLineOf(float displayedScore)
{
    std::ostringstream line;
    line << "SCORE: " << displayedScore;
    return line.str();
}

} // namespace

GameScreens::GameScreens(std::ostream& notes, const std::string& scoreDirectory)
    : store_(scoreDirectory.empty() ? ScoreStore::defaultDirectory() : scoreDirectory, notes),
      painter_(std::make_unique<PanelPainter>())
{
}

void GameScreens::gameOver(float displayedScore)
{
    if (recorded_)
        return;
    if (practice_)
        showWithoutRecording(displayedScore);
    else
        record(displayedScore);
}

void GameScreens::quitting(float displayedScore, float playedSeconds)
{
    if (!recorded_ && !practice_ && playedSeconds >= minimumQuitPlay)
        record(displayedScore);
}

void GameScreens::newGame()
{
    recorded_ = false;
    practice_ = false;
    result_ = {};
    scoreLine_.clear();
}

void GameScreens::record(float displayedScore)
{
    recorded_ = true;
    scoreLine_ = scoreLineOf(displayedScore);
    result_ = store_.record(ScoreTable::entryAt(static_cast<long long>(displayedScore), std::time(nullptr)));
}

void GameScreens::showWithoutRecording(float displayedScore)
{
    recorded_ = true;
    scoreLine_ = scoreLineOf(displayedScore);
    result_ = {store_.look(), -1, true};
}

void GameScreens::draw(Screen screen, const Fonts& fonts)
{
    if (screen == Screen::Playing)
        return;
    const PanelLayout panel = screen == Screen::Paused
                                  ? PanelText::pause()
                                  : PanelText::gameOver(scoreLine_, result_.table, result_.rank, result_.saved, practice_);
    painter_->draw(panel, fonts);
}
