#pragma once
// What the pause and game-over panels say and where: boxes and lines in text-screen pixels. Drawing is
// the screens'.

#include "ui/score_table.hpp"

#include <string>
#include <vector>

struct PanelLine {
    enum class Font { Title, Body }; // the score font and the help font of the game
    enum class Align { Left, Centre, Right };
    std::string text;
    Font font;
    Align align;
    float x;     // pixels of the 1024 x 800 text screen, origin lower left; the anchor of the alignment
    float y;     // baseline
    float scale;
    bool marked = false; // this game's entry in the table
};

struct PanelBox {
    float x;      // lower left corner, pixels
    float y;
    float width;
    float height;
};

struct PanelLayout {
    PanelBox box;
    std::vector<PanelLine> lines;
};

class PanelText {
public:
    // "PAUSED" and the key that resumes.
    static PanelLayout pause();
    // "GAME OVER", the final score line, the table with the entry at rank marked (-1: none), a note when
    // the table could not be saved or when the game was a practice game, and the keys.
    static PanelLayout gameOver(const std::string& scoreLine, const ScoreTable& table, int rank, bool saved,
                                bool practice = false);
};
