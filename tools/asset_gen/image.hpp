#pragma once
// An 8-bit RGB picture painted pixel by pixel and encoded as PNG.

#include <glm/glm.hpp>

#include <cstdint>
#include <functional>
#include <vector>

namespace assetgen {

class Image {
public:
    Image() = default;
    Image(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    // Colour channels in [0, 1]; values outside are clamped.
    void set(int x, int y, glm::vec3 rgb);
    glm::vec3 get(int x, int y) const;
    const std::vector<uint8_t>& pixels() const { return pixels_; }
    std::vector<uint8_t> encodePng() const;

private:
    int width_ = 0, height_ = 0;
    std::vector<uint8_t> pixels_;  // rows top first, 3 bytes per pixel
};

// Encodes RGBA rows (top first, 4 bytes per pixel) as PNG: pictures with a transparent background.
std::vector<uint8_t> encodeRgbaPng(int width, int height, const std::vector<uint8_t>& rgba);

// Paints every pixel from its texture coordinate as models use it: u to the right, v upward
// (v = 0 is the bottom row), taken at the pixel centre.
Image paintImage(int width, int height, const std::function<glm::vec3(glm::vec2)>& colour);

// Colour helpers for painting.
glm::vec3 rgb255(int r, int g, int b);
float smoothstep(float edge0, float edge1, float x);

} // namespace assetgen
