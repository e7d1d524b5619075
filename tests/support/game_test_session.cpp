#include "tests/support/game_test_session.hpp"

#include "tests/support/run_program.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double pollPause = 0.02;    // seconds between two looks at the output
constexpr double shotPause = 0.05;    // seconds between two screenshots, left to the game
constexpr double firstPatience = 5.0; // seconds a first key press is given before it is repeated

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

const ScreenRegion scoreLabel{0, 20, 260, 60};        // "SCORE: ..." at the top left
const ScreenRegion lifepointsLabel{774, 20, 250, 60}; // "LIFEPOINTS: 5" at the top right
const ScreenRegion sceneArea{0, 100, 1024, 700};

} // namespace

std::size_t endOfAnswerToR(const std::string& output, std::size_t from)
{
    std::size_t first = std::string::npos;
    for (const char* answer : {"1\n", "0\n"})
        for (std::size_t at = output.find(answer, from); at != std::string::npos && at < first;
             at = output.find(answer, at + 1)) {
            const char before = at == 0 ? '\n' : output[at - 1];
            if (!std::isdigit(static_cast<unsigned char>(before)) && before != '.' && before != '|' && before != '-') {
                first = at;
                break;
            }
        }
    return first == std::string::npos ? first : first + 2;
}

bool shadersCompiled(const std::string& output)
{
    constexpr int shaders = 8;
    return occurrences(output, "Your shader is fine\n") >= shaders;
}

bool GameTestSession::waitUntilPlaying(double limit)
{
    const auto start = Clock::now();
    if (!waitForWindow(limit) || !waitForOutputWhere(shadersCompiled, limit - secondsSince(start)))
        return false;
    const std::size_t from = outputSize();
    const auto answered = [from](const std::string& out) { return endOfAnswerToR(out, from) != std::string::npos; };
    if (!pressUntilSeen("r", answered, limit - secondsSince(start)))
        return false;
    const std::size_t cleared = endOfAnswerToR(output(), from);
    key("r");
    return waitForOutputWhere(
        [cleared](const std::string& out) { return endOfAnswerToR(out, cleared) != std::string::npos; },
        std::max(limit - secondsSince(start), 10.0));
}

bool GameTestSession::pressUntil(const std::string& name, const std::string& text, double limit)
{
    const std::size_t from = outputSize();
    return pressUntilSeen(
        name, [&](const std::string& out) { return out.find(text, from) != std::string::npos; }, limit);
}

bool GameTestSession::pressUntilSeen(const std::string& name, const OutputCheck& answered, double limit)
{
    const auto start = Clock::now();
    double patience = firstPatience;
    while (secondsSince(start) < limit) {
        key(name);
        if (waitForOutputWhere(answered, std::min(patience, limit - secondsSince(start))))
            return true;
        patience *= 2.0;
    }
    return false;
}

bool GameTestSession::holdUntil(const std::string& name, const std::string& text, double limit)
{
    const std::size_t from = outputSize();
    keyDown(name);
    const bool seen = waitForOutputWhere([&](const std::string& out) { return out.find(text, from) != std::string::npos; },
                                         limit);
    keyUp(name);
    return seen;
}

bool GameTestSession::waitForOutputWhere(const OutputCheck& check, double limit) const
{
    return pollUntil([&] { return check(output()); }, limit, pollPause);
}

bool GameTestSession::waitForOutputWhilePlaying(const OutputCheck& check, double limit) const
{
    constexpr double stalled = 60.0; // seconds without new output
    const auto start = Clock::now();
    auto grown = start;
    std::size_t size = outputSize();
    while (!check(output())) {
        if (outputSize() != size) {
            size = outputSize();
            grown = Clock::now();
        }
        if (secondsSince(grown) > stalled || secondsSince(start) > limit)
            return check(output());
        sleepSeconds(pollPause);
    }
    return true;
}

bool GameTestSession::waitForOutputWhilePlaying(const std::string& text, std::size_t from, double limit) const
{
    return waitForOutputWhilePlaying(
        [&](const std::string& out) { return out.find(text, from) != std::string::npos; }, limit);
}

bool GameTestSession::waitForLaterFrame(double limit)
{
    const std::size_t from = outputSize();
    key("r");
    return waitForOutputWhere([from](const std::string& out) { return endOfAnswerToR(out, from) != std::string::npos; },
                              limit);
}

ScreenImage GameTestSession::screenWhen(const std::string& name, const ScreenCheck& check, double limit)
{
    ScreenImage shot;
    pollUntil(
        [&] {
            shot = screen(name);
            return !shot.empty() && check(shot);
        },
        limit, shotPause);
    return shot;
}

ScreenImage GameTestSession::sceneOnScreen(const std::string& name, double limit)
{
    return screenWhen(name, showsScene, limit);
}

bool GameTestSession::showsScene(const ScreenImage& screen)
{
    constexpr int textPixels = 300; // black pixels of the HUD's labels
    return screen.width() == 1024 && screen.height() == 800 && screen.darkPixels(scoreLabel, 20) > textPixels &&
           screen.darkPixels(lifepointsLabel, 20) > textPixels && screen.colourCount(sceneArea) > 100;
}

ScreenImage GameTestSession::screen(const std::string& name)
{
    ScreenImage shot = grabScreen();
    EXPECT_FALSE(shot.empty()) << "no screenshot from " << display();
    shots_[name] = shot;
    return shot;
}

void GameTestSession::saveShots(const std::string& folder) const
{
    for (const auto& [name, shot] : shots_)
        shot.save(folder + "/" + name + ".png");
}

int GameTestSession::quit(double limit)
{
    key("Escape");
    return waitForExit(limit);
}
