#include "tests/support/screen_image.hpp"

#include <stb_image.h>
// Static: test programs that write images themselves hold their own copy.
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <cstdlib>
#include <set>
#include <utility>

ScreenImage::ScreenImage(const std::string& path)
{
    int channels = 0;
    unsigned char* data = stbi_load(path.c_str(), &width_, &height_, &channels, 3);
    if (data == nullptr) {
        width_ = height_ = 0;
        return;
    }
    pixels_.assign(data, data + 3 * width_ * height_);
    stbi_image_free(data);
}

ScreenImage::ScreenImage(int width, int height, std::vector<std::uint8_t> rgb)
    : width_(width), height_(height), pixels_(std::move(rgb))
{
}

bool ScreenImage::save(const std::string& path) const
{
    return !empty() && stbi_write_png(path.c_str(), width_, height_, 3, pixels_.data(), 3 * width_) != 0;
}

int ScreenImage::colourCount(const ScreenRegion& r) const
{
    std::set<int> colours;
    for (int y = r.y; y < r.y + r.height; ++y)
        for (int x = r.x; x < r.x + r.width; ++x) {
            const std::uint8_t* p = pixel(x, y);
            colours.insert((p[0] >> 4) << 8 | (p[1] >> 4) << 4 | (p[2] >> 4));
        }
    return static_cast<int>(colours.size());
}

void ScreenImage::meanColour(const ScreenRegion& r, double rgb[3]) const
{
    double sum[3] = {0.0, 0.0, 0.0};
    for (int y = r.y; y < r.y + r.height; ++y)
        for (int x = r.x; x < r.x + r.width; ++x)
            for (int c = 0; c < 3; ++c)
                sum[c] += pixel(x, y)[c];
    const double count = static_cast<double>(r.width) * r.height;
    for (int c = 0; c < 3; ++c)
        rgb[c] = sum[c] / count;
}

int ScreenImage::darkPixels(const ScreenRegion& r, int maxChannel) const
{
    int dark = 0;
    for (int y = r.y; y < r.y + r.height; ++y)
        for (int x = r.x; x < r.x + r.width; ++x) {
            const std::uint8_t* p = pixel(x, y);
            dark += p[0] <= maxChannel && p[1] <= maxChannel && p[2] <= maxChannel;
        }
    return dark;
}

int ScreenImage::pixelsLike(const ScreenRegion& r, const int rgb[3], int tolerance) const
{
    int like = 0;
    for (int y = r.y; y < r.y + r.height; ++y)
        for (int x = r.x; x < r.x + r.width; ++x) {
            const std::uint8_t* p = pixel(x, y);
            like += std::abs(p[0] - rgb[0]) <= tolerance && std::abs(p[1] - rgb[1]) <= tolerance &&
                    std::abs(p[2] - rgb[2]) <= tolerance;
        }
    return like;
}

int ScreenImage::redderThanGreen(const ScreenRegion& r) const
{
    int redder = 0;
    for (int y = r.y; y < r.y + r.height; ++y)
        for (int x = r.x; x < r.x + r.width; ++x)
            redder += pixel(x, y)[0] > pixel(x, y)[1];
    return redder;
}

double ScreenImage::changedShare(const ScreenImage& other, const ScreenRegion& r) const
{
    int changed = 0;
    for (int y = r.y; y < r.y + r.height; ++y)
        for (int x = r.x; x < r.x + r.width; ++x) {
            const std::uint8_t* a = pixel(x, y);
            const std::uint8_t* b = other.pixel(x, y);
            for (int c = 0; c < 3; ++c)
                if (std::abs(a[c] - b[c]) > 24) {
                    ++changed;
                    break;
                }
        }
    return static_cast<double>(changed) / (static_cast<double>(r.width) * r.height);
}
