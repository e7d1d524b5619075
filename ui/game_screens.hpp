#pragma once
// The game's door to its panels and high scores: it is told when a game ends, is quit or starts again,
// and draws the pause or game-over panel over the scene.

#include "ui/panel_painter.hpp"
#include "ui/score_store.hpp"
#include "ui/screen_state.hpp"

#include <iosfwd>
#include <memory>
#include <string>

class GameScreens {
public:
    using Screen = ScreenState;

    static constexpr float minimumQuitPlay = 60.0f; // seconds of play before a quit game enters the table

    using Fonts = PanelFonts;

    // Keeps scores in scoreDirectory (ScoreStore::defaultDirectory() when empty) and writes notes about
    // them to notes. Needs a current GL context (the panel backdrop).
    explicit GameScreens(std::ostream& notes, const std::string& scoreDirectory = "");

    // The game was lost with this displayed score: it enters the table, which the panel then shows.
    // Only the first call of a game counts.
    void gameOver(float displayedScore);
    // The program ends: a game that is not over enters the table after a minute of play.
    void quitting(float displayedScore, float playedSeconds);
    // A new game starts: the panel's table is forgotten.
    void newGame();
    // A debugging key changed this game: nothing of it enters the table (neither at game over nor on
    // quitting), and the game-over panel says so above the table as it stands. A game already recorded
    // stays as it was.
    void practiceGame() { practice_ = practice_ || !recorded_; }
    bool practice() const { return practice_; }

    // Draws the panel of the screen over whatever is drawn; nothing while playing.
    void draw(Screen screen, const Fonts& fonts);

    // What the last recorded game left (for the panel and for tests).
    const ScoreStore::Result& lastResult() const { return result_; }

private:
    void record(float displayedScore);
    void showWithoutRecording(float displayedScore);

    ScoreStore store_;
    ScoreStore::Result result_;
    std::string scoreLine_;
    bool recorded_ = false;
    bool practice_ = false;
    std::unique_ptr<PanelPainter> painter_;
};
