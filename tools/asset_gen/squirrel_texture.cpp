#include "squirrel_texture.hpp"
#include "noise.hpp"

#include <cmath>

namespace assetgen {
namespace {

constexpr int atlasSize = 256;

// Strands: noise stretched along v.
float strands(glm::vec2 p, uint32_t seed) { return fbm(glm::vec2(p.x * 16.0f, p.y * 2.0f), 16, 3, seed); }

glm::vec3 bodyFur(glm::vec2 l)
{
    const glm::vec3 back = glm::mix(rgb255(176, 84, 36), rgb255(120, 54, 24), strands(l, 801));
    const glm::vec3 cream = glm::mix(rgb255(246, 230, 200), rgb255(218, 190, 150), strands(l, 802) * 0.8f);
    glm::vec3 c = glm::mix(back, cream, smoothstep(0.4f, 0.6f, l.x));
    return glm::mix(c, rgb255(70, 34, 18), smoothstep(0.88f, 0.97f, l.y) * smoothstep(0.2f, 0.0f, l.x));  // tufts
}

glm::vec3 tailFur(glm::vec2 l)
{
    const float s = strands(glm::vec2(l.x * 2.0f, l.y * 3.0f), 811);
    glm::vec3 c = glm::mix(rgb255(196, 104, 44), rgb255(110, 48, 20), s);
    c = glm::mix(c, rgb255(236, 196, 150), smoothstep(0.65f, 0.85f, s) * 0.6f);  // pale guard hairs
    return glm::mix(c, rgb255(214, 150, 90), smoothstep(0.8f, 1.0f, l.y) * 0.4f);
}

glm::vec3 acorn(glm::vec2 l)
{
    const float streak = fbm(glm::vec2(l.x * 12.0f, l.y * 2.0f), 12, 3, 821);
    glm::vec3 c = glm::mix(rgb255(176, 112, 50), rgb255(118, 70, 30), streak);
    return glm::mix(rgb255(60, 36, 18), c, smoothstep(0.0f, 0.25f, l.y));  // dark tip
}

glm::vec3 acornCap(glm::vec2 l)
{
    const float scale = cellDistance(l * 8.0f, 8, 831);
    return glm::mix(rgb255(150, 116, 70), rgb255(84, 60, 34), smoothstep(0.2f, 0.5f, scale));
}

} // namespace

Material squirrelTexture()
{
    Image atlas = paintImage(atlasSize, atlasSize, [](glm::vec2 uv) {
        const auto local = [&](float u0, float v0, float size) { return (uv - glm::vec2(u0, v0)) / size; };
        if (uv.y >= 0.5f)
            return uv.x < 0.5f ? bodyFur(local(0.0f, 0.5f, 0.5f)) : tailFur(local(0.5f, 0.5f, 0.5f));
        if (uv.y >= 0.25f) {
            if (uv.x < 0.25f)
                return glm::mix(rgb255(34, 24, 20), rgb255(12, 8, 8), local(0.0f, 0.25f, 0.25f).y);
            if (uv.x < 0.5f)
                return acorn(local(0.25f, 0.25f, 0.25f));
            if (uv.x < 0.75f)
                return acornCap(local(0.5f, 0.25f, 0.25f));
            return glm::mix(rgb255(244, 214, 200), rgb255(220, 180, 168), fbm(uv * 16.0f, 16, 2, 841));
        }
        return bodyFur(glm::vec2(0.2f, uv.y * 4.0f));
    });
    return Material{"squirrel_fur", atlas, glm::vec3(0.15f), 12.0f};
}

} // namespace assetgen
