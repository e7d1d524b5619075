#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include "image.hpp"

#include <stb_image_write.h>

#include <algorithm>

namespace assetgen {
namespace {

uint8_t toByte(float c) { return uint8_t(std::clamp(c, 0.0f, 1.0f) * 255.0f + 0.5f); }

void appendBytes(void* context, void* data, int size)
{
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

} // namespace

Image::Image(int width, int height) : width_(width), height_(height), pixels_(size_t(width) * size_t(height) * 3) {}

void Image::set(int x, int y, glm::vec3 rgb)
{
    uint8_t* p = &pixels_[(size_t(y) * size_t(width_) + size_t(x)) * 3];
    p[0] = toByte(rgb.r);
    p[1] = toByte(rgb.g);
    p[2] = toByte(rgb.b);
}

glm::vec3 Image::get(int x, int y) const
{
    const uint8_t* p = &pixels_[(size_t(y) * size_t(width_) + size_t(x)) * 3];
    return glm::vec3(p[0], p[1], p[2]) / 255.0f;
}

std::vector<uint8_t> Image::encodePng() const
{
    std::vector<uint8_t> out;
    stbi_write_png_to_func(appendBytes, &out, width_, height_, 3, pixels_.data(), width_ * 3);
    return out;
}

std::vector<uint8_t> encodeRgbaPng(int width, int height, const std::vector<uint8_t>& rgba)
{
    std::vector<uint8_t> out;
    stbi_write_png_to_func(appendBytes, &out, width, height, 4, rgba.data(), width * 4);
    return out;
}

Image paintImage(int width, int height, const std::function<glm::vec3(glm::vec2)>& colour)
{
    Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const glm::vec2 uv((float(x) + 0.5f) / float(width), 1.0f - (float(y) + 0.5f) / float(height));
            image.set(x, y, colour(uv));
        }
    return image;
}

glm::vec3 rgb255(int r, int g, int b) { return glm::vec3(float(r), float(g), float(b)) / 255.0f; }

float smoothstep(float edge0, float edge1, float x)
{
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

} // namespace assetgen
