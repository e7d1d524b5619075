// --fit in the real game: the whole picture, HUD included, is on screen at 1280 x 720 and full
// screen at 1920 x 1080, centred, with black bars keeping its shape.

#include "render/window_fit.hpp"
#include "tests/e2e/game_test.hpp"

#include <gtest/gtest.h>

namespace {

class WindowFit : public GameTest {
protected:
    // Plays with --fit on a screen of that size, with the help panel on, and checks the screenshot.
    void expectWholePictureOnScreen(const std::vector<std::string>& arguments, int width, int height);
};

void WindowFit::expectWholePictureOnScreen(const std::vector<std::string>& arguments, int width, int height)
{
    GameTestSession& game =
        start({.arguments = arguments, .screen = std::to_string(width) + "x" + std::to_string(height)});
    ASSERT_TRUE(game.waitUntilPlaying()) << game.output() << game.errors();
    const PixelRectangle picture = ::WindowFit::place(1024, 800, width, height);
    const double scale = double(picture.height) / 800.0;
    auto inPicture = [&](int x, int yFromTop, int w, int h) {
        return ScreenRegion{picture.x + int(x * scale), int(yFromTop * scale), int(w * scale), int(h * scale)};
    };
    constexpr int black = 40;
    const ScreenRegion scoreText = inPicture(4, 10, 240, 70);
    const ScreenRegion helpLow = inPicture(100, 700, 820, 60);
    const auto helpShows = [&](const ScreenImage& s) {
        return s.darkPixels(helpLow, 70) > helpLow.width * helpLow.height * 7 / 10;
    };
    game.screenWhen("playing", [&](const ScreenImage& s) { return s.darkPixels(scoreText, black) > 300; });
    game.key("F1");
    const ScreenImage screen = game.screenWhen("help", helpShows);
    EXPECT_EQ(game.quit(), 0) << game.errors();
    ASSERT_EQ(screen.width(), width);
    ASSERT_EQ(screen.height(), height);

    // "SCORE: ..." at the top left and "LIFEPOINTS: 5" at the top right, black on the scene.
    EXPECT_GT(screen.darkPixels(scoreText, black), 300);
    EXPECT_GT(screen.darkPixels(inPicture(774, 10, 245, 70), black), 300);
    // The help panel, dark and translucent, down to its last line near the bottom.
    EXPECT_TRUE(helpShows(screen));
    // The scene fills the picture; the bars beside it are black.
    EXPECT_GT(screen.colourCount(inPicture(200, 200, 600, 400)), 40);
    const ScreenRegion leftBar{0, 0, picture.x - 2, height};
    const ScreenRegion rightBar{picture.x + picture.width + 2, 0, width - picture.x - picture.width - 2, height};
    EXPECT_EQ(screen.darkPixels(leftBar, 0), leftBar.width * leftBar.height);
    EXPECT_EQ(screen.darkPixels(rightBar, 0), rightBar.width * rightBar.height);
}

TEST_F(WindowFit, WholePictureIn1280By720Window)
{
    expectWholePictureOnScreen({"--fit", "1280", "720"}, 1280, 720);
}

TEST_F(WindowFit, WholePictureFullScreenAt1920By1080)
{
    expectWholePictureOnScreen({"--fit", "1920", "1080", "1"}, 1920, 1080);
}

} // namespace
