// The five treasure pieces, each placed where it lies in the chest (chest model units).
#include "chest_layout.hpp"
#include "noise.hpp"
#include "scene_models.hpp"
#include "shapes.hpp"
#include "treasure_textures.hpp"

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

namespace assetgen {
namespace {

using namespace chest;

glm::vec3 ringPoint(float radius, float y, float angle) { return {radius * std::cos(angle), y, -radius * std::sin(angle)}; }

std::vector<glm::vec3> ring(int count, float radius, float y, float phase = 0.0f)
{
    std::vector<glm::vec3> r;
    for (int i = 0; i < count; ++i)
        r.push_back(ringPoint(radius, y, glm::two_pi<float>() * (float(i) + phase) / float(count)));
    return r;
}

// Round brilliant: table, crown, girdle, pavilion to a point. Radius 1, table up.
Mesh brilliant(const std::string& material)
{
    return facetedRings({{{0.0f, -0.86f, 0.0f}}, ring(16, 1.0f, 0.0f), ring(16, 1.0f, 0.06f), ring(8, 0.58f, 0.36f, 0.5f)},
                        material, 1.5f);
}

// Octagon of a step-cut stone: a rectangle with its corners cut, half sizes w by d, counter-clockwise
// seen from above as facetedRings wants it.
std::vector<glm::vec3> stepRing(float w, float d, float y, float cut)
{
    return {{w, y, d - cut},  {w, y, -d + cut}, {w - cut, y, -d}, {-w + cut, y, -d},
            {-w, y, -d + cut}, {-w, y, d - cut}, {-w + cut, y, d}, {w - cut, y, d}};
}

// Emerald cut: stepped crown and pavilion around a long table. Girdle 1 by 0.7, table up.
Mesh emeraldCut(const std::string& material)
{
    std::vector<std::vector<glm::vec3>> rings{stepRing(0.18f, 0.06f, -0.62f, 0.03f), stepRing(0.5f, 0.3f, -0.42f, 0.1f),
                                              stepRing(0.82f, 0.54f, -0.2f, 0.17f), stepRing(1.0f, 0.7f, 0.0f, 0.2f),
                                              stepRing(1.0f, 0.7f, 0.07f, 0.2f),  stepRing(0.86f, 0.58f, 0.2f, 0.17f),
                                              stepRing(0.66f, 0.42f, 0.3f, 0.13f)};
    return facetedRings(rings, material, 1.5f);
}

glm::mat4 orient(glm::vec3 at, glm::vec3 up, float spin, float scale)
{
    glm::mat4 m = glm::translate(glm::mat4(1.0f), at);
    const glm::vec3 axis = glm::cross(glm::vec3(0, 1, 0), glm::normalize(up));
    if (glm::length(axis) > 1e-4f)
        m = glm::rotate(m, std::asin(std::min(glm::length(axis), 1.0f)), glm::normalize(axis));
    m = glm::rotate(m, spin, glm::vec3(0, 1, 0));
    return glm::scale(m, glm::vec3(scale));
}

// A coin: a flat octagonal disc, its face painted with rim and star (texture centre at 0.5, 0.5),
// its edge taking the dark gold of the texture's corner. Coins lie on something, so there is no
// underside to draw.
Mesh coin(glm::vec3 at, glm::vec3 up, float spin)
{
    constexpr float radius = 0.085f, thickness = 0.02f;
    constexpr int sides = 8;
    constexpr glm::vec2 edgeUv{0.02f, 0.02f};
    Mesh m("coin");
    std::vector<uint32_t> face;
    for (int i = 0; i < sides; ++i) {
        const float a = glm::two_pi<float>() * float(i) / float(sides), b = glm::two_pi<float>() * float(i + 1) / float(sides);
        const glm::vec3 da(std::cos(a), 0.0f, -std::sin(a)), db(std::cos(b), 0.0f, -std::sin(b));
        face.push_back(m.addVertex(da * radius + glm::vec3(0, thickness, 0), {0, 1, 0}, glm::vec2(0.5f) + glm::vec2(da.x, -da.z) * 0.5f));
        const uint32_t lo0 = m.addVertex(da * radius, da, edgeUv), lo1 = m.addVertex(db * radius, db, edgeUv);
        const uint32_t hi1 = m.addVertex(db * radius + glm::vec3(0, thickness, 0), db, edgeUv);
        const uint32_t hi0 = m.addVertex(da * radius + glm::vec3(0, thickness, 0), da, edgeUv);
        m.addQuad(lo0, lo1, hi1, hi0);
    }
    m.addPolygon(face);
    return transformed(m, orient(at, up, spin, 1.0f));
}

// Normal of the coin heap's surface.
glm::vec3 pileNormal(float x, float z)
{
    constexpr float h = 0.02f;
    const float dx = coinPileHeight(x + h, z) - coinPileHeight(x - h, z);
    const float dz = coinPileHeight(x, z + h) - coinPileHeight(x, z - h);
    return glm::normalize(glm::vec3(-dx, 2.0f * h, -dz));
}

// The heap's surface: a coarse lattice, its coins painted.
Mesh pileSurface()
{
    constexpr int columns = 12, rows = 8;
    SurfaceGrid g(columns, rows, false);
    for (int r = 0; r <= rows; ++r)
        for (int c = 0; c <= columns; ++c) {
            const float x = -innerHalfWidth + 2.0f * innerHalfWidth * float(c) / float(columns);
            const float z = innerFront + (innerBack - innerFront) * float(r) / float(rows);
            g.at(c, r) = {x, coinPileHeight(x, z), z};
            g.us.resize(columns + 1);
            g.vs.resize(rows + 1);
            g.us[c] = x * 0.8f;
            g.vs[r] = z * 0.8f;
        }
    return surfaceMesh(g, "coin_pile");
}

} // namespace

AssetModel makeCoins()
{
    AssetModel model("coins");
    model.addMaterial(coinPileTexture());
    model.addMaterial(coinTexture());
    model.add(pileSurface());
    Random random(404);
    for (int i = 0; i < 24; ++i) {  // loose coins on the heap
        const float x = random.range(-innerHalfWidth + 0.1f, innerHalfWidth - 0.1f);
        const float z = random.range(innerFront + 0.08f, innerBack - 0.1f);
        const glm::vec3 up = glm::normalize(pileNormal(x, z) + glm::vec3(random.range(-0.4f, 0.4f), 0, random.range(-0.4f, 0.4f)));
        model.add(coin({x, coinPileHeight(x, z) - 0.006f, z}, up, random.range(0.0f, 6.0f)));
    }
    for (int i = 0; i < 9; ++i) {  // spilled on the ground in front
        const float x = random.range(-0.9f, 0.9f), z = random.range(front - 0.55f, front - 0.12f);
        model.add(coin({x, 0.0f, z}, glm::vec3(random.range(-0.05f, 0.05f), 1, random.range(-0.05f, 0.05f)), random.range(0.0f, 6.0f)));
    }
    for (int i = 0; i < 5; ++i)  // a little stack beside them
        model.add(coin({0.72f + random.range(-0.01f, 0.01f), 0.021f * float(i), front - 0.3f}, {0, 1, 0}, random.range(0.0f, 6.0f)));
    return model;
}

AssetModel makeDiamond1()
{
    AssetModel model("diamant1");
    model.addMaterial(gemTexture("gem_blue", rgb255(190, 236, 255), rgb255(30, 110, 220)));
    const float x = -0.55f, z = 0.12f;
    const glm::vec3 up = glm::normalize(pileNormal(x, z) + glm::vec3(0.2f, 0.0f, -0.45f));  // table toward the camera
    Mesh gem = transformed(brilliant("gem_blue"), orient({x, 0.0f, z}, up, 0.3f, 0.2f));
    gem.transform(glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, coinPileHeight(x, z) - gem.bounds().min.y - 0.01f, 0.0f)));
    model.add(gem);  // its lowest point just in the coins
    return model;
}

AssetModel makeDiamond2()
{
    AssetModel model("diamant2");
    model.addMaterial(gemTexture("gem_green", rgb255(170, 255, 200), rgb255(10, 140, 70)));
    // On its own cushion, table up and tipped toward the player's camera.
    glm::mat4 m = glm::translate(glm::mat4(1.0f), glm::vec3(gemCushionTop.x, 0.0f, gemCushionTop.z));
    m = glm::rotate(m, 0.5f, glm::vec3(0, 1, 0));
    m = glm::rotate(m, glm::radians(-22.0f), glm::vec3(1, 0, 0));
    Mesh gem = transformed(emeraldCut("gem_green"), glm::scale(m, glm::vec3(0.19f)));
    gem.transform(glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, gemCushionTop.y + 0.005f - gem.bounds().min.y, 0.0f)));
    model.add(gem);
    return model;
}

AssetModel makeCrown()
{
    AssetModel model("schatztruhe-crown");
    for (Material m : {goldTexture(), velvetTexture(), pearlTexture(), gemTexture("gem_red", rgb255(255, 150, 150), rgb255(160, 0, 20)),
                       gemTexture("gem_blue", rgb255(190, 236, 255), rgb255(30, 110, 220))})
        model.addMaterial(std::move(m));
    constexpr float radius = 0.24f, band = 0.12f, spikes = 8;
    LatheOptions o;
    o.segments = 12;
    o.uTurns = 3.0f;
    model.add(lathe({{radius * 0.9f, 0.0f}, {radius + 0.01f, 0.0f}, {radius + 0.015f, band}, {radius * 0.9f, band},
                     {radius * 0.9f, 0.0f}},
                    "gold", o));
    model.add(lathe({{radius * 0.9f, 0.02f}, {radius * 0.88f, band + 0.08f}, {radius * 0.55f, band + 0.2f}, {0.0f, band + 0.23f}},
                    "velvet", o));
    for (int i = 0; i < int(spikes); ++i) {
        const float a = glm::two_pi<float>() * float(i) / spikes;
        const glm::vec3 base = ringPoint(radius + 0.005f, band - 0.01f, a), tip = ringPoint(radius + 0.03f, band + 0.2f, a);
        model.add(tube({base, glm::mix(base, tip, 0.5f), tip}, {0.05f, 0.03f, 0.0f}, "gold", 4, 4.0f, TubeEnd::Open));
        model.add(ellipsoid(tip + glm::vec3(0, 0.02f, 0), glm::vec3(0.028f), "pearl", 4, 2));
        const glm::vec3 jewel = ringPoint(radius + 0.02f, band * 0.5f, a + glm::pi<float>() / spikes);
        model.add(transformed(ellipsoid({0, 0, 0}, {1.0f, 1.0f, 0.6f}, i % 2 ? "gem_blue" : "gem_red", 4, 2),
                              orient(jewel, glm::vec3(0, 1, 0), glm::half_pi<float>() + a + glm::pi<float>() / spikes, 0.032f)));
    }
    model.add(ellipsoid({0, band + 0.25f, 0}, glm::vec3(0.035f), "gold", 6, 3));
    // On the cushion; the game draws the crown crownDrop lower than the other pieces.
    model.transform(glm::translate(glm::mat4(1.0f), cushionTop + glm::vec3(0.0f, crownDrop - 0.01f, 0.0f)));
    return model;
}

AssetModel makeNecklace()
{
    AssetModel model("schatztruhe-necklace");
    model.addMaterial(pearlTexture());
    model.addMaterial(goldTexture());
    model.addMaterial(gemTexture("gem_red", rgb255(255, 150, 150), rgb255(160, 0, 20)));
    // From the heap inside, over the front rim, hanging down the front and back in again.
    const float hang = front - 0.065f;
    const std::vector<glm::vec3> path = smoothPath({{-0.2f, coinPileHeight(-0.2f, 0.2f) + 0.02f, 0.2f},
                                                    {-0.28f, coinPileHeight(-0.28f, -0.2f) + 0.03f, -0.2f},
                                                    {-0.34f, rimHeight + 0.05f, front + 0.02f},
                                                    {-0.38f, rimHeight - 0.1f, hang},
                                                    {-0.5f, 0.5f, hang},
                                                    {-0.62f, rimHeight - 0.1f, hang},
                                                    {-0.66f, rimHeight + 0.05f, front + 0.02f},
                                                    {-0.72f, coinPileHeight(-0.72f, -0.2f) + 0.03f, -0.2f},
                                                    {-0.6f, coinPileHeight(-0.6f, 0.3f) + 0.02f, 0.3f},
                                                    {-0.2f, coinPileHeight(-0.2f, 0.2f) + 0.02f, 0.2f}},
                                                   24);
    constexpr float pearl = 0.03f;
    float walked = 0.0f;
    glm::vec3 last = path.front();
    model.add(ellipsoid(last, glm::vec3(pearl), "pearl", 5, 2));
    for (const glm::vec3& p : path) {
        walked += glm::length(p - last);
        last = p;
        if (walked >= pearl * 2.1f) {
            model.add(ellipsoid(p, glm::vec3(pearl), "pearl", 5, 2));
            walked = 0.0f;
        }
    }
    const glm::vec3 low(-0.5f, 0.5f, hang);
    model.add(tube({low + glm::vec3(0, 0.0f, 0), low + glm::vec3(0, -0.07f, 0)}, {0.012f, 0.012f}, "gold", 4, 4.0f, TubeEnd::Open));
    model.add(transformed(brilliant("gem_red"), orient(low + glm::vec3(0, -0.13f, -0.01f), {0, 0, -1}, 0.0f, 0.065f)));
    LatheOptions o;
    o.segments = 10;
    model.add(transformed(lathe({{0.0f, -0.01f}, {0.075f, -0.01f}, {0.075f, 0.01f}, {0.0f, 0.01f}}, "gold", o),
                          glm::translate(glm::rotate(glm::translate(glm::mat4(1.0f), low + glm::vec3(0, -0.13f, 0.005f)),
                                                     glm::half_pi<float>(), glm::vec3(1, 0, 0)),
                                         glm::vec3(0))));
    return model;
}

} // namespace assetgen
