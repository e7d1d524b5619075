// Screenshots read back: what a grabbed screen holds survives a PNG, and the measures the tests use on
// regions count what they say.

#include "tests/support/scratch_dir.hpp"
#include "tests/support/screen_image.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// A width x height image of one colour with a block of another at (x, y).
ScreenImage withBlock(int width, int height, std::uint8_t ground, const ScreenRegion& block, std::uint8_t colour)
{
    std::vector<std::uint8_t> rgb(3 * static_cast<std::size_t>(width) * height, ground);
    for (int y = block.y; y < block.y + block.height; ++y)
        for (int x = block.x; x < block.x + block.width; ++x)
            for (int c = 0; c < 3; ++c)
                rgb[3 * (static_cast<std::size_t>(y) * width + x) + c] = colour;
    return ScreenImage(width, height, std::move(rgb));
}

TEST(ScreenImage, PixelsSurviveAPngAndAnUnreadableFileIsEmpty)
{
    const ScratchDir folder;
    const ScreenImage grabbed = withBlock(40, 30, 200, {10, 5, 8, 6}, 10);
    ASSERT_TRUE(grabbed.save(folder.file("shot.png")));
    const ScreenImage read(folder.file("shot.png"));
    ASSERT_EQ(read.width(), 40);
    ASSERT_EQ(read.height(), 30);
    EXPECT_EQ(read.changedShare(grabbed, {0, 0, 40, 30}), 0.0);
    EXPECT_TRUE(ScreenImage(folder.file("missing.png")).empty());
    EXPECT_FALSE(ScreenImage().save(folder.file("nothing.png")));
}

TEST(ScreenImage, RegionMeasuresCountWhatTheySay)
{
    const ScreenImage plain = withBlock(40, 30, 200, {0, 0, 0, 0}, 0);
    const ScreenImage block = withBlock(40, 30, 200, {10, 10, 10, 5}, 10); // 50 dark pixels
    const struct {
        ScreenRegion region;
        int dark;          // pixels with every channel at most 20
        double changed;    // share that differs from the plain image
        int colours;
        double mean;       // of the red channel
    } cases[] = {
        {{0, 0, 40, 30}, 50, 50.0 / 1200.0, 2, (1150 * 200.0 + 50 * 10.0) / 1200.0},
        {{10, 10, 10, 5}, 50, 1.0, 1, 10.0},
        {{10, 10, 20, 5}, 50, 0.5, 2, 105.0},
        {{0, 0, 10, 10}, 0, 0.0, 1, 200.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.region.x << "," << c.region.y << " " << c.region.width << "x"
                                        << c.region.height);
        EXPECT_EQ(block.darkPixels(c.region, 20), c.dark);
        EXPECT_DOUBLE_EQ(block.changedShare(plain, c.region), c.changed);
        EXPECT_EQ(block.colourCount(c.region), c.colours);
        double rgb[3];
        block.meanColour(c.region, rgb);
        EXPECT_NEAR(rgb[0], c.mean, 1e-9);
    }
}

} // namespace
