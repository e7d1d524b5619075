#include "treasure_textures.hpp"
#include "noise.hpp"

#include <cmath>

namespace assetgen {
namespace {

Material material(const std::string& name, int size, const std::function<glm::vec3(glm::vec2)>& paint, float specular,
                  float shininess)
{
    return Material{name, paintImage(size, size, paint), glm::vec3(specular), shininess};
}

// Planks running along u, three to a texture tile, with grain, knots and dark seams.
glm::vec3 planks(glm::vec2 uv, glm::vec3 light, glm::vec3 dark, uint32_t seed)
{
    const float plank = std::floor(uv.y * 3.0f);
    const float across = uv.y * 3.0f - plank;
    const float shift = latticeValue(int(plank), 0, seed) * 4.0f;
    const glm::vec2 p((uv.x + shift) * 2.0f, across);
    const float grain = fbm(glm::vec2(p.x * 2.0f, p.y * 24.0f), 4, 3, seed + 1);
    const float streak = std::pow(std::abs(std::sin((p.y * 9.0f + grain * 3.0f) * 3.14159f)), 6.0f);
    glm::vec3 c = glm::mix(light, dark, 0.35f * grain + 0.35f * streak);
    c *= 0.85f + 0.3f * latticeValue(int(plank), 1, seed);  // each plank a shade of its own
    const float seam = smoothstep(0.06f, 0.0f, std::min(across, 1.0f - across));
    const float knot = smoothstep(0.12f, 0.02f, cellDistance(p * glm::vec2(1.0f, 1.0f), 8, seed + 2));
    c = glm::mix(c, dark * 0.6f, knot * 0.7f);
    return glm::mix(c, dark * 0.35f, seam);
}

} // namespace

Material chestWoodTexture()
{
    return material("chest_wood", 256, [](glm::vec2 uv) {
        return planks(uv, rgb255(176, 112, 60), rgb255(104, 58, 28), 201);
    }, 0.15f, 12.0f);
}

Material chestInnerTexture()
{
    return material("chest_inner", 128, [](glm::vec2 uv) {
        return planks(uv, rgb255(120, 74, 40), rgb255(70, 38, 18), 211);
    }, 0.1f, 8.0f);
}

Material ironTexture()
{
    return material("chest_iron", 128, [](glm::vec2 uv) {
        const float cloud = fbm(uv * 4.0f, 4, 4, 221);
        const float rust = smoothstep(0.6f, 0.75f, fbm(uv * 8.0f, 8, 3, 222));
        glm::vec3 c = glm::mix(rgb255(92, 94, 100), rgb255(48, 50, 56), cloud);
        c = glm::mix(c, rgb255(120, 64, 34), rust * 0.55f);
        return c * (0.92f + 0.16f * latticeValue(int(uv.x * 128.0f), int(uv.y * 128.0f), 223));
    }, 0.6f, 40.0f);
}

Material brassTexture()
{
    return material("chest_brass", 128, [](glm::vec2 uv) {
        return glm::mix(rgb255(226, 180, 80), rgb255(150, 104, 36), fbm(uv * 4.0f, 4, 3, 231));
    }, 0.8f, 60.0f);
}

Material velvetTexture()
{
    return material("velvet", 128, [](glm::vec2 uv) {
        const float pile = fbm(uv * 8.0f, 8, 3, 241);
        return glm::mix(rgb255(184, 20, 46), rgb255(96, 6, 24), pile);
    }, 0.1f, 6.0f);
}

Material goldTexture()
{
    return material("gold", 128, [](glm::vec2 uv) {
        const float cloud = fbm(uv * 4.0f, 4, 4, 251);
        const float glint = smoothstep(0.72f, 0.9f, fbm(uv * 8.0f, 8, 2, 252));
        glm::vec3 c = glm::mix(rgb255(255, 214, 90), rgb255(196, 132, 24), cloud);
        return glm::mix(c, rgb255(255, 246, 200), glint * 0.6f);
    }, 0.9f, 70.0f);
}

Material coinTexture()
{
    // A coin's face, centred at (0.5, 0.5) with the rim on the inscribed circle; outside it the
    // darker gold of the coin's edge.
    return material("coin", 128, [](glm::vec2 uv) {
        const glm::vec2 q = (uv - 0.5f) * 2.0f;
        const float d = glm::length(q);  // 0 centre, 1 at the rim
        const float rim = smoothstep(0.72f, 0.78f, d) * smoothstep(0.92f, 0.86f, d);
        const float star = smoothstep(0.5f, 0.45f, d) * (0.5f + 0.5f * std::cos(std::atan2(q.y, q.x) * 5.0f)) *
                           smoothstep(0.05f, 0.15f, d);
        glm::vec3 c = glm::mix(rgb255(250, 204, 70), rgb255(196, 134, 28), fbm(uv * 4.0f, 4, 3, 261));
        c = glm::mix(c, rgb255(255, 242, 176), (rim + star) * 0.55f);
        return glm::mix(c, rgb255(150, 96, 16), smoothstep(0.96f, 1.0f, d) * 0.6f);
    }, 0.9f, 70.0f);
}

Material coinPileTexture()
{
    // A heap seen from above: overlapping coins, each a disc with a bright rim and a shaded face.
    return material("coin_pile", 128, [](glm::vec2 uv) {
        const glm::vec2 p = uv * 10.0f;
        const float d = cellDistance(p, 10, 291);
        const float tilt = fbm(p, 10, 2, 292);
        const float face = smoothstep(0.46f, 0.4f, d);
        const float rim = smoothstep(0.3f, 0.36f, d) * face;
        glm::vec3 c = glm::mix(rgb255(120, 74, 10), glm::mix(rgb255(255, 210, 80), rgb255(200, 136, 30), tilt), face);
        return glm::mix(c, rgb255(255, 244, 190), rim * 0.6f);
    }, 0.8f, 50.0f);
}

Material pearlTexture()
{
    return material("pearl", 128, [](glm::vec2 uv) {
        const float sheen = fbm(uv * 4.0f, 4, 3, 271);
        return glm::mix(rgb255(250, 246, 238), rgb255(222, 210, 216), sheen);
    }, 0.8f, 50.0f);
}

Material gemTexture(const std::string& name, glm::vec3 light, glm::vec3 deep)
{
    return material(name, 128, [=](glm::vec2 uv) {
        const float depth = fbm(uv * 2.0f, 2, 3, 281);
        const float glint = smoothstep(0.08f, 0.0f, cellDistance(uv * 6.0f, 6, 282));
        return glm::mix(glm::mix(deep, light, 0.25f + 0.5f * depth), glm::vec3(1.0f), glint * 0.8f);
    }, 1.0f, 90.0f);
}

} // namespace assetgen
