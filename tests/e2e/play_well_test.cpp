// Playing in the real window: a quiet console, and a game that pauses when the window loses the focus.

#include "tests/support/game_session.hpp"
#include "tests/support/other_window.hpp"
#include "tests/support/screen_image.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>

namespace {

const ScreenRegion pauseBox{312, 320, 400, 150}; // screen pixels from the top left
const ScreenRegion spawnColumnFloor{630, 470, 44, 30}; // where every first stone comes to rest

double brightness(const ScreenImage& image, const ScreenRegion& region)
{
    double rgb[3] = {};
    image.meanColour(region, rgb);
    return (rgb[0] + rgb[1] + rgb[2]) / 3.0;
}

ScreenImage shot(GameSession& game, const std::string& name)
{
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::string path =
        (std::filesystem::temp_directory_path() / (std::string("quarvel-") + test->name() + "-" + name + ".png")).string();
    EXPECT_TRUE(game.screenshot(path));
    return ScreenImage(path);
}

// Takes screenshots until one shows what is wanted (or time runs out); returns the last one.
ScreenImage waitForScreen(GameSession& game, const std::string& name, const std::function<bool(const ScreenImage&)>& shows,
                          double seconds = 30.0)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    ScreenImage image = shot(game, name);
    while (!shows(image) && std::chrono::steady_clock::now() < deadline) {
        sleepSeconds(0.3); // a pause between polls
        image = shot(game, name);
    }
    return image;
}

const ScreenRegion field{200, 250, 600, 400};

// The scene is drawn: the first frames come once set-up (shader reports and all) is done.
ScreenImage waitForTheScene(GameSession& game)
{
    return waitForScreen(game, "scene", [](const ScreenImage& s) { return s.colourCount(field) > 40; }, 90.0);
}

bool pausePanelOver(const ScreenImage& screen, const ScreenImage& playing)
{
    return brightness(screen, pauseBox) < 0.6 * brightness(playing, pauseBox);
}

// O shows the pause panel and takes it away again: the game reads its keys and draws its frames.
void pauseAndResume(GameSession& game)
{
    const ScreenImage playing = shot(game, "playing");
    const auto paused = [&](const ScreenImage& s) { return pausePanelOver(s, playing); };
    game.key("o");
    ASSERT_TRUE(paused(waitForScreen(game, "paused", paused)));
    game.key("o");
    ASSERT_FALSE(paused(waitForScreen(game, "resumed", [&](const ScreenImage& s) { return !paused(s); })));
}

TEST(PlayWell, QuietGameWritesNothingOnStandardOutput)
{
    GameSession game({.arguments = {"--quiet"}});
    ASSERT_TRUE(game.waitForWindow()) << game.errors();
    const ScreenImage start = waitForTheScene(game);
    ASSERT_GT(start.colourCount(field), 40);
    for (const char* key : {"0", "Left", "Right", "r", "r", "F", "F"}) // 0: nothing landed stays
        game.key(key);
    // Space until a stone stands on the floor of its column: food there, where grass was (a shadow
    // passing over leaves the grass green).
    game.keyDown("space");
    const int area = spawnColumnFloor.width * spawnColumnFloor.height;
    const int grassBefore = area - start.redderThanGreen(spawnColumnFloor);
    const auto landed = [&](const ScreenImage& s) { return area - s.redderThanGreen(spawnColumnFloor) < grassBefore / 2; };
    EXPECT_TRUE(landed(waitForScreen(game, "landed", landed, 60.0)));
    game.keyUp("space");
    pauseAndResume(game); // the game plays on after the landing
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0) << game.errors();
    EXPECT_EQ(game.output(), "");
    EXPECT_EQ(game.errors().find("Failed"), std::string::npos) << game.errors();
}

TEST(PlayWell, LosingTheFocusPausesUntilThePlayerResumes)
{
    GameSession game;
    ASSERT_TRUE(game.waitForWindow()) << game.output() << game.errors();
    const ScreenImage playing = waitForTheScene(game);
    ASSERT_GT(playing.colourCount(field), 40);
    const auto pausedScreen = [&](const ScreenImage& s) { return pausePanelOver(s, playing); };

    OtherWindow other(game.display());
    ASSERT_TRUE(other.open());
    other.takeFocus();
    EXPECT_TRUE(pausedScreen(waitForScreen(game, "away", pausedScreen)));

    ASSERT_TRUE(game.waitForWindow()); // the focus back on the game
    // Keys reach the game again (R answers on standard output), and it is still paused.
    bool answered = false;
    for (int attempt = 0; attempt < 30 && !answered; ++attempt) {
        const std::size_t from = game.output().size();
        game.key("r");
        answered = game.waitForOutput("\n", 1.0, from);
    }
    EXPECT_TRUE(answered);
    EXPECT_TRUE(pausedScreen(shot(game, "back")));
    game.key("o");
    EXPECT_FALSE(pausedScreen(waitForScreen(game, "resumed", [&](const ScreenImage& s) { return !pausedScreen(s); })));
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0) << game.errors();
}

} // namespace
