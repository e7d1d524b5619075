// --fit: where the 1024 x 800 picture goes in a window: scaled, centred, with black bars keeping its
// shape.

#include "render/window_fit.hpp"

#include <gtest/gtest.h>

namespace {

void expectRectangle(PixelRectangle r, int x, int y, int width, int height)
{
    EXPECT_EQ(r.x, x);
    EXPECT_EQ(r.y, y);
    EXPECT_EQ(r.width, width);
    EXPECT_EQ(r.height, height);
}

TEST(WindowFitPlace, KeepsThePictureShapeCentredWithBarsOnTheWiderSide)
{
    expectRectangle(WindowFit::place(1024, 800, 1024, 800), 0, 0, 1024, 800);
    expectRectangle(WindowFit::place(1024, 800, 2048, 1600), 0, 0, 2048, 1600);  // HiDPI framebuffer
    expectRectangle(WindowFit::place(1024, 800, 1280, 720), 179, 0, 921, 720);
    expectRectangle(WindowFit::place(1024, 800, 1920, 1080), 269, 0, 1382, 1080);
    expectRectangle(WindowFit::place(1024, 800, 800, 1000), 0, 187, 800, 625);
    expectRectangle(WindowFit::place(1024, 800, 0, 0), 0, 0, 0, 0);  // minimised
}

} // namespace
