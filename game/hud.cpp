#include "game/hud.hpp"

#include <cmath>
#include <sstream>

namespace {

template <typename... Parts>
std::string joined(const Parts&... parts)
{
    std::ostringstream text;
    (text << ... << parts);
    return text.str();
}

void addHelp(std::vector<HudLine>& lines)
{
    constexpr float scale = 0.6f;
    const HudLine::Font help = HudLine::Font::Help;
    lines.push_back({"Defend the treasure in the middle by blocking the way ", help, 0.0f, 200.0f, scale});
    lines.push_back({"or smashing the enemies with the falling stones.", help, 0.0f, 150.0f, scale});
    lines.push_back({"Mouse, wasd: Camera Movement", help, 0.0f, 100.0f, scale});
    lines.push_back({"Arrow Keys: Stone Movement", help, 0.0f, 50.0f, scale});
    lines.push_back({"Space: accelerate fallspeed", help, 0.0f, 0.0f, scale});
}

void addFrameTime(std::vector<HudLine>& lines, int framesLastSecond)
{
    constexpr float scale = 0.6f;
    const HudLine::Font help = HudLine::Font::Help;
    lines.push_back({joined("ms/frame:", 1000.0 / framesLastSecond), help, 0.0f, 40.0f, scale});
    lines.push_back({joined(" fps:", framesLastSecond), help, 0.0f, 0.0f, scale});
}

} // namespace

float Hud::displayedScore(int score, float elapsed)
{
    return static_cast<float>(score) + std::roundf(elapsed * pointsPerSecond);
}

std::vector<HudLine> Hud::lines(const HudState& state)
{
    std::vector<HudLine> lines;
    const HudLine::Font digits = HudLine::Font::Score;
    const HudLine::Backing strip = HudLine::Backing::Strip;
    lines.push_back(
        {joined("SCORE: ", displayedScore(state.score, state.elapsed)), digits, 0.0f, 730.0f, 1.0f, strip});
    lines.push_back({joined("LIFEPOINTS: ", state.lifepoints), digits, 774.0f, 730.0f, 1.0f, strip});
    if (state.practice)
        lines.push_back({"PRACTICE", HudLine::Font::Help, 458.0f, 742.0f, 0.45f, HudLine::Backing::Warning});
    if (state.helpHint)
        lines.push_back({"F1: help", HudLine::Font::Help, 930.0f, 12.0f, 0.45f, strip});
    if (state.showHelp)
        addHelp(lines);
    if (state.showFps)
        addFrameTime(lines, state.framesLastSecond);
    return lines;
}
