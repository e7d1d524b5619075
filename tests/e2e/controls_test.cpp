// The player's settings file and F11 in the real game: a rebound drop key, a line the game cannot use,
// and full screen and back, with and without --fit.

#include "tests/support/game_session.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/screen_image.hpp"
#include "tests/support/temp_file.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

// Presses R until the game answers with its debug flag, then once more to clear it again.
bool waitUntilResponsive(GameSession& game)
{
    for (int attempt = 0; attempt < 60; ++attempt) {
        const std::size_t from = game.output().size();
        game.key("r");
        if (game.waitForOutput("1\n", 1.0, from)) {
            const std::size_t again = game.output().size();
            game.key("r");
            return game.waitForOutput("0\n", 30.0, again);
        }
    }
    return false;
}

// Holds the key until the text appears in the output from now on, or time runs out.
bool holdUntil(GameSession& game, const std::string& key, const std::string& text, double seconds)
{
    const std::size_t from = game.output().size();
    game.keyDown(key);
    const bool seen = game.waitForOutput(text, seconds, from);
    game.keyUp(key);
    return seen;
}

class ControlsTest : public ::testing::Test {
protected:
    void start(const GameSession::Options& options)
    {
        game = std::make_unique<GameSession>(options);
        ASSERT_TRUE(game->waitForWindow()) << game->output() << game->errors();
        ASSERT_TRUE(waitUntilResponsive(*game)) << game->output() << game->errors();
    }

    void TearDown() override
    {
        if (game && game->running()) {
            game->key("Escape");
            EXPECT_EQ(game->waitForExit(), 0) << game->errors();
        }
    }

    std::unique_ptr<GameSession> game;
};

TEST_F(ControlsTest, AReboundDropKeyLandsTheStoneFastAndSpaceNoLongerDoes)
{
    start({.settings = "[keys]\ndrop_fast = J\n"});
    ASSERT_TRUE(holdUntil(*game, "j", "HAHA", 30.0)) << game->output();
    // A fresh stone needs about 27 s of play to land at its slow speed, 2.5 s when dropped fast. Space
    // held for 6 s, while the game shows by answering R that it handles keys, must not land it.
    const std::size_t from = game->output().size();
    game->keyDown("space");
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(6);
    bool answering = true;
    while (answering && std::chrono::steady_clock::now() < until)
        answering = waitUntilResponsive(*game);
    game->keyUp("space");
    EXPECT_TRUE(answering);
    EXPECT_EQ(game->output().find("HAHA", from), std::string::npos) << "Space still drops fast";
    EXPECT_TRUE(holdUntil(*game, "j", "HAHA", 15.0)) << "J drops fast again";
    const std::string errors = game->errors();
    EXPECT_EQ(errors.find("settings"), std::string::npos) << errors;
    // No pad exists here: the poll finds none and GLFW has nothing to complain about.
    for (const char* note : {"gamepad", "joystick", "GLFW error"})
        EXPECT_EQ(errors.find(note), std::string::npos) << errors;
}

TEST_F(ControlsTest, ALineTheGameCannotUseIsNamedOnceAndTheRestApplies)
{
    start({.settings = "[keys]\ndrop_fast = NoSuchKey\nstone_left = K\n"});
    const std::string errors = game->errors();
    EXPECT_EQ(occurrences(errors, "settings.ini:2: unknown key name \"NoSuchKey\"; line ignored\n"), 1) << errors;
    EXPECT_EQ(occurrences(errors, "settings.ini"), 1) << errors;
    EXPECT_EQ(errors.find(game->configHome() + "/quarvel/settings.ini:2:"), 0u) << errors;
    const std::size_t from = game->output().size();
    game->key("k");
    EXPECT_TRUE(game->waitForOutput("Move ", 30.0, from)) << "K moves the stone";
    EXPECT_TRUE(holdUntil(*game, "space", "HAHA", 30.0)) << "drop_fast kept its own key";
}

// Polls the check until it holds, or time runs out.
bool becomes(const std::function<bool()>& check, double seconds = 30.0)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(long(seconds * 1000));
    do {
        if (check())
            return true;
        sleepSeconds(0.3);
    } while (std::chrono::steady_clock::now() < until);
    return false;
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
void switchToFullScreenAndBack(const std::vector<std::string>& arguments, bool fit)
{
    GameSession game({.arguments = arguments, .screen = "1152x900"});
    ASSERT_TRUE(game.waitForWindow()) << game.errors();
    ASSERT_TRUE(waitUntilResponsive(game)) << game.errors();
    const ScreenRegion rightStrip{1034, 100, 110, 600};
    const ScreenRegion belowPicture{100, 810, 800, 80};
    const ScreenRegion abovePicture{100, 10, 800, 80};
    const std::string path = makeTempFile() + ".png";
    const auto screenShows = [&](const std::function<bool(const ScreenImage&)>& check) {
        return becomes([&] { return game.screenshot(path) && check(ScreenImage(path)); });
    };
    const auto allBlack = [](const ScreenImage& s, const ScreenRegion& r) { return s.darkPixels(r, 0) == r.width * r.height; };
    const auto noBlack = [](const ScreenImage& s, const ScreenRegion& r) { return s.darkPixels(r, 0) == 0; };
    const auto sky = [](const ScreenImage& s, const ScreenRegion& r) {
        double rgb[3];
        s.meanColour(r, rgb);
        return s.colourCount(r) == 1 && std::abs(rgb[0] - 175) < 10 && std::abs(rgb[1] - 238) < 10 &&
               std::abs(rgb[2] - 238) < 10;
    };

    EXPECT_EQ(windowSize(game), "1024x800");
    EXPECT_TRUE(screenShows([&](const ScreenImage& s) { return allBlack(s, rightStrip) && allBlack(s, belowPicture); }));

    game.key("F11");
    EXPECT_TRUE(becomes([&] { return windowSize(game) == "1152x900"; })) << windowSize(game);
    if (fit)
        EXPECT_TRUE(screenShows([&](const ScreenImage& s) {
            return noBlack(s, rightStrip) && noBlack(s, belowPicture) && s.colourCount(rightStrip) > 10;
        })) << "the scene fills the screen; last seen in "
            << path;
    else
        EXPECT_TRUE(screenShows([&](const ScreenImage& s) { return sky(s, rightStrip) && sky(s, abovePicture); }))
            << "the sky around the picture; last seen in " << path;

    game.key("F11");
    EXPECT_TRUE(becomes([&] { return windowSize(game) == "1024x800"; })) << windowSize(game);
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0) << game.errors();
    if (!testing::Test::HasFailure())
        std::remove(path.c_str());
}

TEST(FullScreen, F11FillsTheScreenWithTheSkyAroundTheFixedPictureAndBack)
{
    switchToFullScreenAndBack({}, false);
}

TEST(FullScreen, F11WithFitScalesThePictureToTheScreenAndBack)
{
    switchToFullScreenAndBack({"--fit"}, true);
}

} // namespace
