#include "food_textures.hpp"
#include "noise.hpp"

#include <cmath>

namespace assetgen {
namespace {

constexpr int textureSize = 128;  // pixels; the stones are small on screen

Material material(const std::string& name, const std::function<glm::vec3(glm::vec2)>& paint, float specular,
                  float shininess)
{
    return Material{name, paintImage(textureSize, textureSize, paint), glm::vec3(specular), shininess};
}

// Fine per-pixel grain in [-1, 1], tiling with the texture.
float grain(glm::vec2 uv, uint32_t seed)
{
    const glm::vec2 p = uv * float(textureSize);
    return latticeValue(int(p.x) % textureSize, int(p.y) % textureSize, seed) * 2.0f - 1.0f;
}

// 1 on thin lines repeating count times along t, 0 between them.
float lines(float t, float count, float sharpness)
{
    return std::pow(std::abs(std::cos(t * count * 3.14159265f)), sharpness);
}

} // namespace

Material cherryTexture()
{
    return material("cherry_skin", [](glm::vec2 uv) {
        const float cloud = fbm(uv * 4.0f, 4, 4, 71);
        const float dots = smoothstep(0.09f, 0.03f, cellDistance(uv * 20.0f, 20, 72));
        glm::vec3 c = glm::mix(rgb255(214, 26, 46), rgb255(120, 6, 22), cloud);
        c = glm::mix(c, rgb255(84, 2, 14), smoothstep(0.35f, 0.0f, uv.y) * 0.6f);  // darker underneath
        return glm::mix(c, rgb255(240, 120, 120), dots * 0.35f);
    }, 0.9f, 80.0f);
}

Material stemTexture()
{
    return material("plant_stem", [](glm::vec2 uv) {
        const float streak = lines(uv.x, 6.0f, 6.0f);
        glm::vec3 c = glm::mix(rgb255(104, 132, 40), rgb255(76, 96, 30), fbm(uv * 4.0f, 4, 3, 81));
        return glm::mix(c, rgb255(150, 170, 70), streak * 0.4f);
    }, 0.2f, 16.0f);
}

Material leafTexture()
{
    return material("plant_leaf", [](glm::vec2 uv) {
        const float rib = smoothstep(0.06f, 0.0f, std::abs(std::fmod(uv.x * 2.0f + 0.25f, 1.0f) - 0.5f) - 0.44f);
        const float veins = lines(uv.y * 6.0f + std::abs(std::fmod(uv.x * 2.0f, 1.0f) - 0.5f) * 3.0f, 1.0f, 30.0f);
        glm::vec3 c = glm::mix(rgb255(70, 156, 46), rgb255(38, 104, 30), fbm(uv * 4.0f, 4, 3, 91));
        c = glm::mix(c, rgb255(150, 206, 100), veins * 0.35f);
        return glm::mix(c, rgb255(170, 214, 110), rib * 0.5f);
    }, 0.3f, 24.0f);
}

Material carrotTexture()
{
    return material("carrot_root", [](glm::vec2 uv) {
        const float wobble = 0.02f * fbm(uv * 8.0f, 8, 2, 101);
        const float rings = lines(uv.y + wobble, 10.0f, 40.0f) * smoothstep(0.3f, 0.7f, fbm(uv * 4.0f, 4, 2, 102));
        glm::vec3 c = glm::mix(rgb255(250, 140, 30), rgb255(214, 92, 14), fbm(uv * 4.0f, 4, 4, 103));
        c = glm::mix(c, rgb255(160, 66, 10), rings * 0.8f);
        return c * (1.0f + 0.05f * grain(uv, 104));
    }, 0.3f, 24.0f);
}

Material carrotGreensTexture()
{
    return material("carrot_greens", [](glm::vec2 uv) {
        const float streak = lines(uv.x, 4.0f, 8.0f);
        glm::vec3 c = glm::mix(rgb255(96, 182, 56), rgb255(44, 120, 32), fbm(uv * 4.0f, 4, 3, 111));
        return glm::mix(c, rgb255(160, 220, 110), streak * 0.3f);
    }, 0.25f, 20.0f);
}

Material mushroomCapTexture()
{
    return material("mushroom_cap", [](glm::vec2 uv) {
        const float cloud = fbm(uv * glm::vec2(8.0f, 4.0f), 4, 4, 121);
        const float dots = smoothstep(0.24f, 0.15f, cellDistance(uv * glm::vec2(24.0f, 8.0f), 8, 122));
        glm::vec3 c = glm::mix(rgb255(236, 46, 32), rgb255(170, 20, 16), cloud);
        c = glm::mix(c, rgb255(255, 150, 60), smoothstep(0.75f, 1.0f, uv.y) * 0.5f);  // paler at the rim
        return glm::mix(c, rgb255(250, 236, 220), dots * 0.8f);
    }, 0.5f, 40.0f);
}

Material mushroomGillsTexture()
{
    return material("mushroom_gills", [](glm::vec2 uv) {  // seen from below: gills run out from the middle
        const glm::vec2 d = uv - 0.5f;
        const float gills = lines(std::atan2(d.y, d.x) / 6.2831853f, 48.0f, 3.0f);
        glm::vec3 c = glm::mix(rgb255(246, 230, 204), rgb255(200, 178, 146), gills);
        return glm::mix(c, rgb255(150, 120, 90), smoothstep(0.3f, 0.1f, glm::length(d)) * 0.45f);  // shaded toward the stem
    }, 0.1f, 10.0f);
}

Material mushroomStemTexture()
{
    return material("mushroom_stem", [](glm::vec2 uv) {
        const float fibres = fbm(glm::vec2(uv.x * 24.0f, uv.y * 2.0f), 8, 3, 141);
        return glm::mix(rgb255(252, 246, 230), rgb255(214, 200, 176), fibres) * (1.0f + 0.03f * grain(uv, 142));
    }, 0.2f, 16.0f);
}

Material friesTexture()
{
    return material("fries", [](glm::vec2 uv) {
        const float cloud = fbm(uv * 4.0f, 4, 4, 151);
        const float specks = smoothstep(0.12f, 0.04f, cellDistance(uv * 12.0f, 12, 152));
        glm::vec3 c = glm::mix(rgb255(255, 222, 110), rgb255(232, 170, 54), cloud);
        return glm::mix(c, rgb255(176, 110, 30), specks * 0.6f);
    }, 0.35f, 24.0f);
}

Material cartonTexture()
{
    return material("fries_carton", [](glm::vec2 uv) {
        const float stripe = smoothstep(0.02f, -0.02f, std::abs(std::fmod(uv.x * 6.0f, 1.0f) - 0.5f) - 0.22f);
        const float band = smoothstep(0.66f, 0.68f, uv.y) * smoothstep(0.74f, 0.72f, uv.y);
        glm::vec3 c = glm::mix(rgb255(214, 30, 30), rgb255(250, 244, 236), stripe);
        c = glm::mix(c, rgb255(255, 200, 40), band);
        c = glm::mix(c, rgb255(110, 12, 14), smoothstep(0.78f, 0.8f, uv.y));  // inside of the carton
        return c * (1.0f + 0.04f * fbm(uv * 8.0f, 8, 3, 161) - 0.02f);
    }, 0.3f, 24.0f);
}

} // namespace assetgen
