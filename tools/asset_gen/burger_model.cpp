// A double cheeseburger filling the 2 x 2 x 2 cells of the burger stone.
#include "food_textures.hpp"
#include "noise.hpp"
#include "shapes.hpp"
#include "stone_cells.hpp"
#include "stone_models.hpp"

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

namespace assetgen {
namespace {

constexpr float footprintRoundness = 3.2f;  // superellipse power: a round bun that fills a square
constexpr int rimSegments = 40;

LatheOptions layerOptions(float uTurns)
{
    LatheOptions o;
    o.segments = rimSegments;
    o.roundness = footprintRoundness;
    o.uTurns = uTurns;
    return o;
}

// Bottom bun: flat underside, rounded rim, flat cut face on top.
Mesh bottomBun(float bottom, float top, float radius)
{
    const float h = top - bottom;
    return lathe({{0.0f, bottom}, {radius - 0.3f, bottom}, {radius - 0.08f, bottom + 0.04f}, {radius, bottom + 0.25f},
                  {radius, bottom + h * 0.6f}, {radius - 0.06f, top - 0.03f}, {radius - 0.2f, top}, {0.0f, top}},
                 "burger_bun", layerOptions(4.0f));
}

// Top bun: a dome rising from a rounded rim to the very top of the stone.
Mesh topBun(float bottom, float top, float radius)
{
    std::vector<glm::vec2> profile{{0.0f, bottom}, {radius - 0.2f, bottom}, {radius - 0.03f, bottom + 0.06f},
                                   {radius, bottom + 0.2f}};
    const float domeBase = bottom + 0.25f;
    constexpr int domeRings = 10;
    for (int i = 1; i <= domeRings; ++i) {
        const float a = glm::half_pi<float>() * float(i) / float(domeRings);
        profile.push_back({radius * std::pow(std::max(std::cos(a), 0.0f), 0.8f), domeBase + (top - domeBase) * std::sin(a)});
    }
    return lathe(profile, "burger_bun", layerOptions(4.0f));
}

// Patty: bulging sides, lumpy all over.
Mesh patty(float bottom, float top, float radius, uint32_t seed)
{
    const float h = top - bottom;
    Mesh m = lathe({{0.0f, bottom}, {radius - 0.25f, bottom}, {radius - 0.04f, bottom + h * 0.2f},
                    {radius, bottom + h * 0.5f}, {radius - 0.04f, bottom + h * 0.8f}, {radius - 0.25f, top},
                    {0.0f, top}},
                   "burger_patty", layerOptions(3.0f));
    warp(m, [=](glm::vec3 p) {
        const float bump = 0.035f * (valueNoise3(p * 3.0f, seed) - 0.5f);
        return glm::vec3(p.x * (1.0f + bump - 0.02f), p.y + bump * 0.5f, p.z * (1.0f + bump - 0.02f));
    });
    return m;
}

// Cheese slice turned 45 degrees, corners drooping over the patty below.
Mesh cheese(float y, float thickness, float halfDiagonal)
{
    const float half = halfDiagonal / std::sqrt(2.0f);
    Mesh m = roundedBox({-half, 0.0f, -half}, {half, thickness, half}, thickness * 0.45f, "burger_cheese", 0.5f, 1, 5);
    m.transform(glm::rotate(glm::mat4(1.0f), glm::quarter_pi<float>(), glm::vec3(0, 1, 0)));
    warp(m, [=](glm::vec3 p) {
        const float reach = std::max(std::abs(p.x), std::abs(p.z));
        const float droop = 0.32f * smoothstep(1.45f, halfDiagonal, reach);
        return glm::vec3(p.x, p.y + y - droop, p.z);
    });
    return m;
}

// Four tomato slices, one over each cell column.
Mesh tomatoes(float bottom, float top)
{
    Mesh all("burger_tomato");
    const float h = top - bottom;
    for (int i = 0; i < 4; ++i) {
        LatheOptions o;
        o.segments = 20;
        Mesh slice = lathe({{0.0f, 0.0f}, {0.82f, 0.0f}, {0.9f, h * 0.5f}, {0.82f, h}, {0.0f, h}}, "burger_tomato", o);
        const glm::vec2 at((i & 1) ? 0.92f : -0.92f, (i & 2) ? 0.92f : -0.92f);
        slice.transform(glm::translate(glm::mat4(1.0f), glm::vec3(at.x, bottom, at.y)));
        all.append(slice);
    }
    return all;
}

// Ruffled lettuce leaf ring that peeks out all around.
Mesh lettuce(float y, float outer)
{
    std::vector<glm::vec2> loop;
    constexpr int loopPoints = 10;
    for (int i = 0; i <= loopPoints; ++i) {
        const float a = glm::two_pi<float>() * float(i) / float(loopPoints) - glm::half_pi<float>();
        loop.push_back({outer - 0.42f + 0.4f * std::cos(a), y + 0.05f * std::sin(a)});
    }
    LatheOptions o = layerOptions(3.0f);
    o.segments = 56;
    Mesh m = lathe(loop, "burger_lettuce", o);
    warp(m, [=](glm::vec3 p) {
        const float angle = std::atan2(p.z, p.x);
        const float r = std::sqrt(p.x * p.x + p.z * p.z);
        const float edge = smoothstep(outer - 0.6f, outer, r * 1.05f);
        const float ruffle = 0.11f * std::sin(angle * 11.0f) + 0.05f * std::sin(angle * 23.0f + 1.0f);
        return glm::vec3(p.x, p.y + ruffle * edge, p.z);
    });
    return m;
}

// Sesame seeds lying on the dome of the top bun.
Mesh sesameSeeds(float domeBottom, float top, float radius)
{
    Mesh seeds("burger_sesame");
    Random random(2024);
    constexpr int seedCount = 46;
    const float domeBase = domeBottom + 0.25f;
    for (int i = 0; i < seedCount; ++i) {
        const auto dome = [&](float angle, float a) {
            const glm::vec2 d = superDirection(angle, footprintRoundness);
            const float r = radius * std::pow(std::max(std::cos(a), 0.0f), 0.8f);
            return glm::vec3(r * d.x, domeBase + (top - domeBase) * std::sin(a), r * d.y);
        };
        const float angle = random.range(0.0f, glm::two_pi<float>());
        const float a = random.range(0.25f, 1.3f);  // up the dome, clear of rim and top
        const glm::vec3 p = dome(angle, a);
        const glm::vec3 up = glm::normalize(glm::cross(dome(angle + 0.01f, a) - p, dome(angle, a + 0.01f) - p));
        Mesh seed = ellipsoid({0, 0, 0}, {0.09f, 0.035f, 0.05f}, "burger_sesame", 6, 3);
        glm::mat4 m = glm::translate(glm::mat4(1.0f), p - up * 0.01f);
        const glm::vec3 axis = glm::cross(glm::vec3(0, 1, 0), up);
        if (glm::length(axis) > 1e-4f)
            m = glm::rotate(m, std::acos(glm::clamp(up.y, -1.0f, 1.0f)), glm::normalize(axis));
        m = glm::rotate(m, random.range(0.0f, glm::pi<float>()), glm::vec3(0, 1, 0));
        seeds.append(transformed(seed, m));
    }
    Bounds inside;
    inside.include(glm::vec3(-radius, domeBottom, -radius));
    inside.include(glm::vec3(radius, top, radius));
    confine(seeds, inside, 0.05f);
    return seeds;
}

} // namespace

AssetModel makeBurger()
{
    const Bounds box = stoneBoxInModel(burgerClass());  // x, z -2..2; y -0.18..3.82
    const float radius = box.max.x;
    const float y0 = box.min.y, top = box.max.y;

    AssetModel model(burgerClass().file);
    for (Material m : {bunTexture(), sesameTexture(), pattyTexture(), cheeseTexture(), tomatoTexture(), lettuceTexture()})
        model.addMaterial(std::move(m));

    model.add(bottomBun(y0, y0 + 0.78f, radius));
    model.add(patty(y0 + 0.76f, y0 + 1.34f, radius - 0.05f, 7));
    model.add(cheese(y0 + 1.33f, 0.07f, radius - 0.02f));
    model.add(tomatoes(y0 + 1.38f, y0 + 1.56f));
    model.add(lettuce(y0 + 1.62f, radius));
    model.add(patty(y0 + 1.66f, y0 + 2.24f, radius - 0.05f, 8));
    model.add(cheese(y0 + 2.23f, 0.07f, radius - 0.02f));
    model.add(topBun(y0 + 2.28f, top, radius));
    model.add(sesameSeeds(y0 + 2.28f, top, radius));
    return model;
}

} // namespace assetgen
