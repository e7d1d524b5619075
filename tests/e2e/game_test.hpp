#pragma once
// The fixture of end-to-end tests: one real game per test, started with its options, checked through
// waits for evidence; an Escape at the end must end it with status 0, and the screenshots of a failed test
// are kept for a look.

#include "tests/support/game_test_session.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class GameTest : public ::testing::Test {
protected:
    // Starts the game (a test may start several, one after the other).
    GameTestSession& start(const GameSession::Options& options = {});
    GameTestSession& game() { return *game_; }
    void TearDown() override;

private:
    void finish();

    std::unique_ptr<GameTestSession> game_;
};

// Places on a 1024 x 800 screen, in pixels from the top left.
const ScreenRegion wholeScreen{0, 0, 1024, 800};
const ScreenRegion pauseBox{312, 320, 400, 150};
const ScreenRegion gameOverBox{212, 80, 600, 650};
const ScreenRegion scoreCorner{0, 20, 260, 60};
const ScreenRegion helpPanelFoot{100, 700, 820, 60}; // the lowest rows of the F1 help panel

// Mean of the three channels over the region, 0..255.
double brightness(const ScreenImage& image, const ScreenRegion& region);
// The pause panel darkens its box against a picture of the play.
bool pausePanelOver(const ScreenImage& playing, const ScreenImage& screen);
// The F1 help panel, dark and translucent, down to its foot, darker than the picture of the play there.
bool helpPanelOver(const ScreenImage& playing, const ScreenImage& screen);

// How many landing tests the falling stone wrote in the output: a clock of the game's own time, which a
// slow machine cannot stretch as it does the wall clock. The stone tests as its pivot passes each multiple
// of 100 units (every 2.68 s at 37.3 units per second) and ends each test with a line break of its own;
// a test that leaves the pivot less than a unit above the multiple is made again in the next frame, so
// n passages write n to 2n line breaks. Counts the lines that hold nothing but traces without a line break
// of their own, so it holds until the first stone lands or a creature climbs.
int landingTests(const std::string& output);
