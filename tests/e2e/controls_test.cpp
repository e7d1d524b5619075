// The player's settings file and F11 in the real game: a rebound drop key, a line the game cannot use,
// and full screen and back, with and without --fit.

#include "tests/e2e/game_test.hpp"
#include "tests/support/run_program.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>

namespace {

using ControlsTest = GameTest;

TEST_F(ControlsTest, AReboundDropKeyLandsTheStoneFastAndSpaceNoLongerDoes)
{
    GameTestSession& game = start({.settings = "[keys]\ndrop_fast = J\n"});
    ASSERT_TRUE(game.waitUntilPlaying()) << game.output() << game.errors();
    ASSERT_TRUE(game.holdUntil("j", "HAHA", 30.0)) << game.output();
    // A fresh stone needs about 27 s of play to land at its slow speed, 2.5 s when dropped fast. Space
    // held for 6 s, while the game shows by answering keys that it plays on, must not land it. (A busy
    // machine can only make this check weaker, never fail it: play time never runs ahead of the clock.)
    const std::size_t from = game.output().size();
    game.keyDown("space");
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(6);
    bool answering = true;
    while (answering && std::chrono::steady_clock::now() < until)
        answering = game.waitForLaterFrame();
    game.keyUp("space");
    EXPECT_TRUE(answering);
    EXPECT_EQ(game.output().find("HAHA", from), std::string::npos) << "Space still drops fast";
    EXPECT_TRUE(game.holdUntil("j", "HAHA", 30.0)) << "J drops fast again";
    const std::string errors = game.errors();
    EXPECT_EQ(errors.find("settings"), std::string::npos) << errors;
    // No pad exists here: the poll finds none and GLFW has nothing to complain about.
    for (const char* note : {"gamepad", "joystick", "GLFW error"})
        EXPECT_EQ(errors.find(note), std::string::npos) << errors;
}

TEST_F(ControlsTest, ALineTheGameCannotUseIsNamedOnceAndTheRestApplies)
{
    GameTestSession& game = start({.settings = "[keys]\ndrop_fast = NoSuchKey\nstone_left = K\n"});
    ASSERT_TRUE(game.waitUntilPlaying()) << game.output() << game.errors();
    const std::string errors = game.errors();
    EXPECT_EQ(occurrences(errors, "settings.ini:2: unknown key name \"NoSuchKey\"; line ignored\n"), 1) << errors;
    EXPECT_EQ(occurrences(errors, "settings.ini"), 1) << errors;
    EXPECT_EQ(errors.find(game.configHome() + "/quarvel/settings.ini:2:"), 0u) << errors;
    EXPECT_TRUE(game.pressUntil("k", "Move ")) << "K moves the stone";
    EXPECT_TRUE(game.holdUntil("space", "HAHA", 30.0)) << "drop_fast kept its own key";
}

// The size of the game's window as the X server has it ("1024x800"); empty when it cannot be found.
std::string windowSize(const GameSession& game)
{
    const ProgramResult found = runProgram(
        "/usr/bin/xdotool", {"search", "--name", "^Quarvel$", "getwindowgeometry", "%1"}, ".", {{"DISPLAY", game.display()}});
    const std::size_t at = found.out.find("Geometry: ");
    return at == std::string::npos ? "" : found.out.substr(at + 10, found.out.find('\n', at) - at - 10);
}

// On a 1152 x 900 screen the game's 1024 x 800 window leaves the rest of the screen black. In full
// screen the fixed picture sits at the lower left with the sky above and beside it; with --fit the
// picture fills the screen. (Without a window manager the screen keeps stale pixels where a window
// was, so the way back is seen in the window's size.)
void switchToFullScreenAndBack(GameTestSession& game, bool fit)
{
    ASSERT_TRUE(game.waitUntilPlaying()) << game.errors();
    const ScreenRegion rightStrip{1034, 100, 110, 600};
    const ScreenRegion belowPicture{100, 810, 800, 80};
    const ScreenRegion abovePicture{100, 10, 800, 80};
    const auto allBlack = [](const ScreenImage& s, const ScreenRegion& r) { return s.darkPixels(r, 0) == r.width * r.height; };
    const auto noBlack = [](const ScreenImage& s, const ScreenRegion& r) { return s.darkPixels(r, 0) == 0; };
    const auto sky = [](const ScreenImage& s, const ScreenRegion& r) {
        double rgb[3];
        s.meanColour(r, rgb);
        return s.colourCount(r) == 1 && std::abs(rgb[0] - 175) < 10 && std::abs(rgb[1] - 238) < 10 &&
               std::abs(rgb[2] - 238) < 10;
    };
    const auto holds = [](const ScreenImage& s, const std::function<bool(const ScreenImage&)>& check) {
        return !s.empty() && check(s);
    };

    EXPECT_EQ(windowSize(game), "1024x800");
    const auto window = [&](const ScreenImage& s) { return allBlack(s, rightStrip) && allBlack(s, belowPicture); };
    EXPECT_TRUE(holds(game.screenWhen("window", window), window));

    game.key("F11");
    EXPECT_TRUE(pollUntil([&] { return windowSize(game) == "1152x900"; }, 30.0, 0.3)) << windowSize(game);
    if (fit) {
        const auto filled = [&](const ScreenImage& s) {
            return noBlack(s, rightStrip) && noBlack(s, belowPicture) && s.colourCount(rightStrip) > 10;
        };
        EXPECT_TRUE(holds(game.screenWhen("full-screen-fit", filled), filled)) << "the scene fills the screen";
    } else {
        const auto skyAround = [&](const ScreenImage& s) { return sky(s, rightStrip) && sky(s, abovePicture); };
        EXPECT_TRUE(holds(game.screenWhen("full-screen", skyAround), skyAround)) << "the sky around the picture";
    }

    game.key("F11");
    EXPECT_TRUE(pollUntil([&] { return windowSize(game) == "1024x800"; }, 30.0, 0.3)) << windowSize(game);
}

using FullScreen = GameTest;

TEST_F(FullScreen, F11FillsTheScreenWithTheSkyAroundTheFixedPictureAndBack)
{
    switchToFullScreenAndBack(start({.screen = "1152x900"}), false);
}

TEST_F(FullScreen, F11WithFitScalesThePictureToTheScreenAndBack)
{
    switchToFullScreenAndBack(start({.arguments = {"--fit"}, .screen = "1152x900"}), true);
}

} // namespace
