#include "nature_textures.hpp"
#include "noise.hpp"

#include <cmath>

namespace assetgen {
namespace {

Material material(const std::string& name, int size, const std::function<glm::vec3(glm::vec2)>& paint, float specular,
                  float shininess)
{
    return Material{name, paintImage(size, size, paint), glm::vec3(specular), shininess};
}

float blades(glm::vec2 uv, int period, uint32_t seed)
{
    const glm::vec2 p = uv * float(period);
    return fbm(glm::vec2(p.x, p.y * 0.35f), period, 3, seed);
}

} // namespace

Material fieldTexture()
{
    constexpr int size = 256;  // one texture tile spans two cells each way
    return material("field_grass", size, [](glm::vec2 uv) {
        const int cx = uv.x < 0.5f ? 0 : 1, cz = uv.y < 0.5f ? 0 : 1;
        const bool light = (cx + cz) % 2 == 0;
        const glm::vec2 inCell(std::fmod(uv.x * 2.0f, 1.0f), std::fmod(uv.y * 2.0f, 1.0f));
        const float mown = 0.5f + 0.5f * std::sin(inCell.x * 3.14159f * 4.0f);  // mower stripes across each cell
        const float grass = blades(uv, 32, 401);
        glm::vec3 c = light ? rgb255(118, 176, 64) : rgb255(92, 150, 50);
        c *= 0.9f + 0.08f * mown + 0.16f * (grass - 0.5f);
        c = glm::mix(c, rgb255(70, 120, 40), smoothstep(0.62f, 0.8f, fbm(uv * 8.0f, 8, 2, 402)) * 0.3f);
        const float edge = std::min(std::min(inCell.x, 1.0f - inCell.x), std::min(inCell.y, 1.0f - inCell.y));
        const float line = smoothstep(0.022f, 0.01f, edge);  // chalk-pale seam on every cell edge
        return glm::mix(c, rgb255(196, 214, 150), line * 0.65f);
    }, 0.05f, 4.0f);
}

Material meadowTexture()
{
    return material("meadow", 256, [](glm::vec2 uv) {
        const float patches = fbm(uv * 4.0f, 4, 4, 411);
        const float grass = blades(uv, 48, 412);
        glm::vec3 c = glm::mix(rgb255(126, 168, 62), rgb255(80, 128, 44), patches);
        c *= 0.88f + 0.24f * (grass - 0.5f) + 0.12f;
        const float flowers = smoothstep(0.07f, 0.03f, cellDistance(uv * 24.0f, 24, 413)) *
                              smoothstep(0.55f, 0.7f, fbm(uv * 4.0f, 4, 2, 414));
        const float dry = smoothstep(0.6f, 0.8f, fbm(uv * 8.0f, 8, 3, 415));
        c = glm::mix(c, rgb255(170, 164, 84), dry * 0.45f);
        return glm::mix(c, rgb255(250, 240, 190), flowers * 0.8f);
    }, 0.05f, 4.0f);
}

Material hillTexture()
{
    // Meadows with woods on them: dark clumps of tree crowns where the woods are, grey rock here and there.
    return material("hills", 256, [](glm::vec2 uv) {
        const float patches = fbm(uv * 4.0f, 4, 5, 421);
        glm::vec3 c = glm::mix(rgb255(118, 160, 66), rgb255(78, 122, 50), patches);
        const float wood = smoothstep(0.54f, 0.6f, fbm(uv * 3.0f, 3, 4, 423));
        const float crowns = smoothstep(0.5f, 0.15f, cellDistance(uv * 32.0f, 32, 424));
        c = glm::mix(c, glm::mix(rgb255(44, 84, 42), rgb255(70, 114, 54), crowns), wood);
        const float rock = smoothstep(0.66f, 0.74f, fbm(uv * 8.0f, 8, 3, 422));
        return glm::mix(c, rgb255(138, 132, 118), rock * 0.6f);
    }, 0.05f, 4.0f);
}

Material barkTexture()
{
    return material("tree_bark", 128, [](glm::vec2 uv) {
        const float ridges = fbm(glm::vec2(uv.x * 8.0f, uv.y * 1.5f), 8, 3, 431);
        return glm::mix(rgb255(110, 78, 50), rgb255(58, 40, 26), ridges);
    }, 0.05f, 4.0f);
}

Material needlesTexture()
{
    return material("tree_needles", 128, [](glm::vec2 uv) {
        const float tufts = fbm(uv * 8.0f, 8, 3, 441);
        const float tips = smoothstep(0.65f, 0.85f, fbm(uv * 16.0f, 16, 2, 442));
        glm::vec3 c = glm::mix(rgb255(52, 110, 56), rgb255(22, 62, 34), tufts);
        return glm::mix(c, rgb255(110, 160, 80), tips * 0.5f);
    }, 0.1f, 8.0f);
}

Material leavesTexture()
{
    return material("tree_leaves", 128, [](glm::vec2 uv) {
        const float clumps = fbm(uv * 8.0f, 8, 3, 451);
        const float light = smoothstep(0.6f, 0.8f, fbm(uv * 16.0f, 16, 2, 452));
        glm::vec3 c = glm::mix(rgb255(124, 178, 56), rgb255(56, 112, 36), clumps);
        return glm::mix(c, rgb255(188, 214, 96), light * 0.5f);
    }, 0.1f, 8.0f);
}

} // namespace assetgen
