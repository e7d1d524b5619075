// A double cheeseburger filling the 2 x 2 x 2 cells of the burger stone. The same model rides on
// every stag beetle's back as its marker, so it is one turned profile: the layers (buns, patties,
// cheese, lettuce) are its creases and bulges, their colours, drips and sesame seeds are painted.
#include "noise.hpp"
#include "shapes.hpp"
#include "stone_cells.hpp"
#include "stone_models.hpp"

#include <glm/gtc/constants.hpp>

#include <cmath>

namespace assetgen {
namespace {

constexpr float footprintRoundness = 3.2f;  // superellipse power: a round bun that fills a square
constexpr int rimSegments = 12;             // a multiple of 4, so the rim touches the cells' sides
constexpr float textureTurns = 3.0f;        // texture repeats around the burger

// One ring of the profile: inset from the full radius (negative: the axis), height above the
// bottom, texture v.
struct Ring {
    float inset, height, v;
};

// Texture v where each layer starts, matching the rings below.
constexpr float pattyFrom = 0.24f, cheeseFrom = 0.38f, lettuceFrom = 0.415f, patty2From = 0.52f, cheese2From = 0.66f,
                topBunFrom = 0.695f, seedsFrom = 0.78f;

// Bottom to top; the poles close the flat underside and the crown of the top bun.
const Ring profile[] = {{-1.0f, 0.0f, 0.0f},   {0.3f, 0.0f, 0.04f},  {0.0f, 0.32f, 0.12f}, {0.1f, 0.76f, pattyFrom},
                        {0.02f, 1.03f, 0.31f}, {0.08f, 1.3f, cheeseFrom}, {0.0f, 1.5f, 0.46f},  {0.1f, 1.68f, patty2From},
                        {0.02f, 1.95f, 0.59f}, {0.1f, 2.24f, cheese2From}, {0.0f, 2.52f, 0.74f},  {0.2f, 3.1f, 0.84f},
                        {0.9f, 3.62f, 0.93f},  {-1.0f, 4.0f, 1.0f}};
constexpr int lettuceRing = 6;

Mesh burgerBody(float bottom, float radius)
{
    std::vector<glm::vec2> points;
    LatheOptions o;
    o.segments = rimSegments;
    o.roundness = footprintRoundness;
    o.uTurns = textureTurns;
    for (const Ring& r : profile) {
        const float distance = r.inset < 0.0f ? 0.0f : radius - r.inset;
        points.push_back({distance, bottom + r.height});
        o.vs.push_back(r.v);
    }
    Mesh m = lathe(points, "burger", o);
    const float lettuceY = bottom + profile[lettuceRing].height;
    warp(m, [=](glm::vec3 p) {  // the lettuce edge waves up and down between the patties
        const float near = smoothstep(0.2f, 0.0f, std::abs(p.y - lettuceY));
        return glm::vec3(p.x, p.y + 0.07f * near * std::cos(6.0f * std::atan2(p.z, p.x)), p.z);
    });
    return m;
}

// Fine per-pixel grain in [-1, 1].
float grain(glm::vec2 uv, int size, uint32_t seed)
{
    const glm::vec2 p = uv * float(size);
    return latticeValue(int(p.x) % size, int(p.y) % size, seed) * 2.0f - 1.0f;
}

glm::vec3 bun(glm::vec2 uv, float toast)
{
    const float cloud = fbm(uv * glm::vec2(4.0f, 8.0f), 4, 4, 11);
    const float blotch = smoothstep(0.55f, 0.8f, fbm(uv * 8.0f, 8, 2, 12));
    glm::vec3 c = glm::mix(rgb255(232, 164, 72), rgb255(176, 96, 34), cloud);
    c = glm::mix(c, rgb255(132, 66, 22), std::max(blotch * 0.5f, toast));
    return c * (1.0f + 0.05f * grain(uv, 256, 13));
}

glm::vec3 patty(glm::vec2 uv)
{
    const float lumps = fbm(uv * glm::vec2(8.0f, 16.0f), 8, 4, 31);
    const float pits = smoothstep(0.25f, 0.05f, cellDistance(uv * glm::vec2(16.0f, 32.0f), 16, 32));
    glm::vec3 c = glm::mix(rgb255(122, 66, 36), rgb255(62, 32, 16), lumps);
    c = glm::mix(c, rgb255(34, 16, 8), pits * 0.8f);
    return glm::mix(c, rgb255(152, 94, 56), smoothstep(0.7f, 0.85f, lumps) * 0.4f) * (1.0f + 0.12f * grain(uv, 256, 33));
}

glm::vec3 cheese(glm::vec2 uv)
{
    return glm::mix(rgb255(255, 200, 52), rgb255(240, 156, 22), fbm(uv * 3.0f, 3, 3, 41));
}

glm::vec3 lettuce(glm::vec2 uv)
{
    const float veins = std::pow(std::abs(std::cos((uv.x + 0.03f * fbm(uv * 8.0f, 8, 2, 62)) * 24.0f * 3.14159265f)), 24.0f);
    const glm::vec3 c = glm::mix(rgb255(150, 216, 74), rgb255(70, 150, 40), fbm(uv * 4.0f, 4, 3, 61));
    return glm::mix(c, rgb255(214, 240, 160), veins * 0.6f);
}

// Sesame seeds, scattered on the top bun: 1 on a seed, 0 off them.
float sesame(glm::vec2 uv)
{
    const glm::vec2 p = uv * glm::vec2(10.0f, 40.0f);
    return smoothstep(0.16f, 0.1f, cellDistance(p, 10, 21)) * smoothstep(seedsFrom, seedsFrom + 0.02f, uv.y) *
           smoothstep(0.99f, 0.96f, uv.y);
}

// The layers by v; where layers meet the upper one hangs over the lower in drips and waves.
glm::vec3 burgerColour(glm::vec2 uv)
{
    const float angle = uv.x * glm::two_pi<float>();
    const float drip = 0.012f * std::max(std::sin(angle * 4.0f), 0.0f) + 0.008f * fbm(uv * glm::vec2(16.0f, 4.0f), 16, 2, 42);
    if (uv.y < pattyFrom)
        return bun(uv, smoothstep(0.12f, 0.02f, uv.y) * 0.6f);
    if (uv.y < cheeseFrom)
        return patty(uv);
    if (uv.y < lettuceFrom + drip)
        return cheese(uv);
    if (uv.y < patty2From - 0.01f * (1.0f + std::cos(angle * 12.0f)))
        return lettuce(uv);
    if (uv.y < cheese2From)
        return patty(uv);
    if (uv.y < topBunFrom + drip * 1.5f)
        return cheese(uv);
    const glm::vec3 crust = bun(uv, smoothstep(topBunFrom + 0.03f, topBunFrom, uv.y) * 0.4f);
    return glm::mix(crust, rgb255(250, 238, 200), sesame(uv));
}

} // namespace

AssetModel makeBurger()
{
    const Bounds box = stoneBoxInModel(burgerClass());  // x, z -2..2; y -0.18..3.82
    AssetModel model(burgerClass().file);
    model.addMaterial(Material{"burger", paintImage(256, 256, burgerColour), glm::vec3(0.25f), 20.0f});
    model.add(burgerBody(box.min.y, box.max.x));
    return model;
}

} // namespace assetgen
