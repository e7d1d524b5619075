#pragma once
// The heads-up texts: what is written where, in which font and size. Drawing is the game's.

#include <string>
#include <vector>

struct HudLine {
    enum class Font { Score, Help };
    std::string text;
    Font font;
    float x;     // pixels of the 1024 x 800 text screen, origin lower left
    float y;     // baseline
    float scale;
};

struct HudState {
    int score = 0;          // 100 per creature taken out of play
    float elapsed = 0.0f;   // seconds of unpaused play
    int lifepoints = 5;
    int framesLastSecond = 0;
    bool showHelp = false;
    bool showFps = false;
};

class Hud {
public:
    static constexpr float pointsPerSecond = 4.0f;

    // Score shown: the earned points plus 4 per second of play, the time part rounded.
    static float displayedScore(int score, float elapsed);
    // The lines to draw, in drawing order.
    static std::vector<HudLine> lines(const HudState& state);
};
