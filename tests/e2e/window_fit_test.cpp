// --fit in the real game: the whole picture, HUD included, is on screen at 1280 x 720 and full
// screen at 1920 x 1080, centred, with black bars keeping its shape.

#include "render/window_fit.hpp"
#include "tests/support/game_session.hpp"
#include "tests/support/screen_image.hpp"
#include "tests/support/temp_file.hpp"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Plays with --fit on a screen of that size, with the help panel on, and checks the screenshot.
void expectWholePictureOnScreen(const std::vector<std::string>& arguments, int width, int height)
{
    GameSession game({.arguments = arguments, .screen = std::to_string(width) + "x" + std::to_string(height)});
    ASSERT_TRUE(game.waitForWindow()) << game.output() << game.errors();
    ASSERT_TRUE(game.waitForOutput("Your shader is fine\nYour shader is fine\nYour shader is fine\nYour shader is fine\n"
                                   "Your shader is fine\nYour shader is fine\nYour shader is fine\nYour shader is fine",
                                   60.0));
    sleepSeconds(2.0);
    game.key("F1");
    sleepSeconds(1.5);
    const std::string shot = makeTempFile() + ".png";
    ASSERT_TRUE(game.screenshot(shot));
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0) << game.errors();
    const ScreenImage screen(shot);
    std::remove(shot.c_str());
    ASSERT_EQ(screen.width(), width);
    ASSERT_EQ(screen.height(), height);

    const PixelRectangle picture = WindowFit::place(1024, 800, width, height);
    const double scale = double(picture.height) / 800.0;
    auto inPicture = [&](int x, int yFromTop, int w, int h) {
        return ScreenRegion{picture.x + int(x * scale), int(yFromTop * scale), int(w * scale), int(h * scale)};
    };
    constexpr int black = 40;
    // "SCORE: ..." at the top left and "LIFEPOINTS: 5" at the top right, black on the scene.
    EXPECT_GT(screen.darkPixels(inPicture(4, 10, 240, 70), black), 300);
    EXPECT_GT(screen.darkPixels(inPicture(774, 10, 245, 70), black), 300);
    // The help panel, dark and translucent, down to its last line near the bottom.
    const ScreenRegion helpLow = inPicture(100, 700, 820, 60);
    EXPECT_GT(screen.darkPixels(helpLow, 70), helpLow.width * helpLow.height * 7 / 10);
    // The scene fills the picture; the bars beside it are black.
    EXPECT_GT(screen.colourCount(inPicture(200, 200, 600, 400)), 40);
    const ScreenRegion leftBar{0, 0, picture.x - 2, height};
    const ScreenRegion rightBar{picture.x + picture.width + 2, 0, width - picture.x - picture.width - 2, height};
    EXPECT_EQ(screen.darkPixels(leftBar, 0), leftBar.width * leftBar.height);
    EXPECT_EQ(screen.darkPixels(rightBar, 0), rightBar.width * rightBar.height);
}

TEST(WindowFit, WholePictureIn1280By720Window)
{
    expectWholePictureOnScreen({"--fit", "1280", "720"}, 1280, 720);
}

TEST(WindowFit, WholePictureFullScreenAt1920By1080)
{
    expectWholePictureOnScreen({"--fit", "1920", "1080", "1"}, 1920, 1080);
}

} // namespace
