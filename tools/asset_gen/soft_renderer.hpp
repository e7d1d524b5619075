#pragma once
// A small software rasteriser for pictures that must come out byte for byte the same on every
// machine (the game's icon): textured, Lambert-lit triangles with a depth buffer and supersampled
// edges, on a transparent background.

#include "asset_model.hpp"

#include <glm/glm.hpp>

#include <cstdint>
#include <vector>

namespace assetgen {

class SoftRenderer {
public:
    // A picture of size x size pixels, each made of samples x samples samples.
    SoftRenderer(int size, int samples);

    void setCamera(const glm::mat4& viewProjection);
    void setLight(glm::vec3 towardLight, float ambient);
    // Every part of the model with its material's texture, placed by model.
    void draw(const AssetModel& asset, const glm::mat4& model);

    // RGBA rows top first, 4 bytes per pixel; colour where any sample was drawn, alpha = coverage.
    std::vector<uint8_t> resolve() const;
    int size() const { return size_; }

private:
    struct ScreenVertex {
        glm::vec3 screen;  // x, y in samples (y down), z depth
        float inverseW;
        glm::vec3 normal;
        glm::vec2 uv;
    };
    ScreenVertex project(const Vertex& v, const glm::mat4& model, const glm::mat3& normalMatrix) const;
    void fillTriangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c, const Image& texture);
    glm::vec3 shade(glm::vec3 normal, glm::vec2 uv, const Image& texture) const;

    int size_, samples_, width_;  // width_ = size_ * samples_
    glm::mat4 viewProjection_{1.0f};
    glm::vec3 towardLight_{0.0f, 1.0f, 0.0f};
    float ambient_ = 0.4f;
    std::vector<float> depth_;
    std::vector<glm::vec3> colour_;
    std::vector<uint8_t> covered_;
};

} // namespace assetgen
