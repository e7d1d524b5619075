// A carrot lying along three cells, its leafy top swept sideways into the fourth: an L.
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

// Root from the pointed tip (tipZ) to the rounded shoulder, centred on the bar of cells.
Mesh root(glm::vec3 axisPoint, float tipZ, float topZ, float radius)
{
    const float length = topZ - tipZ;
    std::vector<glm::vec2> profile{{0.0f, 0.0f}};
    constexpr int steps = 22;
    for (int i = 1; i <= steps; ++i) {
        const float s = float(i) / float(steps) * length;
        const float shoulder = length - 0.75f;
        float r = radius * std::pow(std::min(s / shoulder, 1.0f), 0.62f);
        if (s > shoulder) {
            const float t = (s - shoulder) / (length - shoulder);
            r *= std::sqrt(std::max(1.0f - t * t * t, 0.0f)) * 0.55f + 0.45f * (1.0f - t * t);
        }
        const float ridge = 1.0f - 0.035f * std::pow(std::abs(std::sin(s * 4.1f + std::sin(s * 1.7f))), 12.0f);
        profile.push_back({r * ridge, s});
    }
    profile.back().x = 0.0f;
    LatheOptions o;
    o.segments = 20;
    Mesh m = lathe(profile, "carrot_root", o);
    warp(m, [](glm::vec3 p) {  // a gentle bend so it looks grown, not turned
        return p + glm::vec3(0.03f * std::sin(p.y * 0.9f), 0.0f, 0.0f);
    });
    glm::mat4 t = glm::translate(glm::mat4(1.0f), glm::vec3(axisPoint.x, axisPoint.y, tipZ));
    t = glm::rotate(t, glm::half_pi<float>(), glm::vec3(1, 0, 0));  // lathe axis y onto +z
    m.transform(t);
    return m;
}

// A frilly puff of leaves: a flattened lumpy blob lying along the stalk's direction.
Mesh leafPuff(glm::vec3 at, glm::vec3 along, float size, uint32_t seed)
{
    Mesh puff = ellipsoid({0, 0, 0}, {size, size * 0.42f, size * 0.72f}, "carrot_greens", 9, 5);
    warp(puff, [size, seed](glm::vec3 p) {
        const float frill = 0.75f + 0.5f * valueNoise3(p * (9.0f / size), seed);
        return glm::vec3(p.x * frill, p.y * (0.8f + 0.4f * frill), p.z * frill);
    });
    const glm::vec3 x = glm::normalize(along);
    const glm::vec3 z = glm::normalize(glm::cross(x, glm::vec3(0, 1, 0)));
    glm::mat4 t(1.0f);
    t[0] = glm::vec4(x, 0);
    t[1] = glm::vec4(glm::cross(z, x), 0);
    t[2] = glm::vec4(z, 0);
    t[3] = glm::vec4(at, 1);
    return transformed(puff, t);
}

// Stalks leave the crown of the root and fan out over the foot cell, each ending in a bunch of
// leaf puffs with smaller ones along the way.
Mesh greens(glm::vec3 crown, const Bounds& foot)
{
    Mesh all("carrot_greens");
    Random random(5);
    const glm::vec3 c = foot.centre();
    const glm::vec3 ends[] = {{foot.max.x - 0.4f, 1.45f, foot.min.z + 0.4f}, {foot.max.x - 0.35f, 0.8f, c.z},
                              {foot.max.x - 0.4f, 1.5f, foot.max.z - 0.4f},  {c.x + 0.2f, 0.55f, foot.max.z - 0.45f},
                              {c.x + 0.2f, 0.55f, foot.min.z + 0.45f},       {c.x - 0.1f, 1.6f, c.z},
                              {c.x + 0.55f, 1.55f, c.z + 0.2f}};
    uint32_t seed = 900;
    for (const glm::vec3& end : ends) {
        const glm::vec3 out = crown + glm::vec3(0.4f, 0.1f, 0.1f);
        const glm::vec3 bend = glm::mix(out, end, 0.45f) + glm::vec3(0.0f, 0.25f, 0.0f);
        const std::vector<glm::vec3> stalk = smoothPath({crown, out, bend, end}, 4);
        std::vector<float> radii;
        for (std::size_t i = 0; i < stalk.size(); ++i)
            radii.push_back(0.08f - 0.04f * float(i) / float(stalk.size()));
        all.append(tube(stalk, radii, "carrot_greens", 6, 2.0f));
        const glm::vec3 dir = glm::normalize(end - stalk[stalk.size() - 3]);
        all.append(leafPuff(end, dir, random.range(0.4f, 0.48f), seed++));
        for (float side : {-1.0f, 1.0f}) {
            const glm::vec3 sideways = glm::normalize(glm::cross(dir, glm::vec3(0, 1, 0))) * side;
            all.append(leafPuff(end - dir * 0.15f + sideways * 0.18f, dir + sideways * 0.8f, random.range(0.3f, 0.38f), seed++));
            const glm::vec3 mid = stalk[stalk.size() * 3 / 5];
            all.append(leafPuff(mid + sideways * 0.12f + glm::vec3(0, 0.05f, 0), dir + sideways, random.range(0.22f, 0.28f), seed++));
        }
    }
    return all;
}

} // namespace

AssetModel makeCarrot()
{
    const StoneClass& stone = carrotClass();
    AssetModel model(stone.file);
    model.addMaterial(carrotTexture());
    model.addMaterial(carrotGreensTexture());

    const Bounds tipCell = cellBoxInModel(stone, stone.cells[3]);  // far end of the bar
    const Bounds topCell = cellBoxInModel(stone, stone.cells[2]);  // bar cell beside the foot
    const Bounds foot = cellBoxInModel(stone, stone.cells[1]);
    const float radius = (topCell.max.x - topCell.min.x) * 0.5f - 0.02f;
    const glm::vec3 axis(topCell.centre().x, topCell.centre().y, 0.0f);
    const float topZ = topCell.max.z - 0.3f;
    model.add(root(axis, tipCell.min.z, topZ, radius));
    Mesh leaves = greens({axis.x, axis.y, topZ - 0.05f}, foot);
    Bounds reach = foot;
    reach.include(topCell);
    confine(leaves, reach, 0.08f);
    model.add(leaves);
    return model;
}

} // namespace assetgen
