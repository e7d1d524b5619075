#pragma once
// The heads-up texts: what is written where, in which font and size. Drawing is the game's.

#include <string>
#include <vector>

struct HudLine {
    enum class Font { Score, Help };
    // What lies behind the text so that it reads over any background: nothing, a pale strip, or an
    // amber one for a warning.
    enum class Backing { None, Strip, Warning };
    std::string text;
    Font font;
    float x;     // pixels of the 1024 x 800 text screen, origin lower left
    float y;     // baseline
    float scale;
    Backing backing = Backing::None;
};

struct HudState {
    int score = 0;          // 100 per creature taken out of play
    float elapsed = 0.0f;   // seconds of unpaused play
    int lifepoints = 5;
    int framesLastSecond = 0;
    bool showHelp = false;
    bool showFps = false;
    bool practice = false; // a debugging key changed this game
    bool helpHint = false; // the first seconds of the first game: say which key shows the help
};

class Hud {
public:
    static constexpr float pointsPerSecond = 4.0f;
    static constexpr float helpHintSeconds = 10.0f; // of play in the first game of a run

    // Score shown: the earned points plus 4 per second of play, the time part rounded.
    static float displayedScore(int score, float elapsed);
    // The lines to draw, in drawing order: score and lifepoints on strips, then the marks and texts
    // the state asks for.
    static std::vector<HudLine> lines(const HudState& state);
};
