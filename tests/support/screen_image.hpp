#pragma once
// A screenshot read back for checks: colours, regions and differences.

#include <cstdint>
#include <string>
#include <vector>

struct ScreenRegion {
    int x = 0;      // pixels from the left
    int y = 0;      // pixels from the top
    int width = 0;
    int height = 0;
};

class ScreenImage {
public:
    // Reads a PNG; an unreadable file gives an empty image.
    explicit ScreenImage(const std::string& path);
    // Pixels as rows of 8-bit RGB from the top left.
    ScreenImage(int width, int height, std::vector<std::uint8_t> rgb);
    ScreenImage() = default;

    // Writes the image as PNG; false when that failed.
    bool save(const std::string& path) const;

    bool empty() const { return pixels_.empty(); }
    int width() const { return width_; }
    int height() const { return height_; }

    // Distinct colours in the region, counted on a 4-bit-per-channel grid.
    int colourCount(const ScreenRegion& region) const;
    // Mean colour of the region, channels 0..255.
    void meanColour(const ScreenRegion& region, double rgb[3]) const;
    // Pixels in the region whose channels are all at most maxChannel (text is drawn in black).
    int darkPixels(const ScreenRegion& region, int maxChannel) const;
    // Pixels in the region whose channels each lie within tolerance of the colour's (0..255).
    int pixelsLike(const ScreenRegion& region, const int rgb[3], int tolerance) const;
    // Pixels in the region where red outweighs green: a stone, not grass, in light or in shadow.
    int redderThanGreen(const ScreenRegion& region) const;
    // Share of pixels in the region whose colour differs from the other image's by more than 24 in a channel.
    double changedShare(const ScreenImage& other, const ScreenRegion& region) const;

private:
    const std::uint8_t* pixel(int x, int y) const { return &pixels_[3 * (y * width_ + x)]; }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> pixels_;
};
