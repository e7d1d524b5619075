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

// Root from the pointed tip (tipZ) to the rounded shoulder, centred on the bar of cells; the rings
// of the skin are painted, the shape is a few rings of a long cone.
Mesh root(glm::vec3 axisPoint, float tipZ, float topZ, float radius)
{
    const float length = topZ - tipZ;
    const std::vector<glm::vec2> profile{{0.0f, 0.0f},
                                         {radius * 0.38f, length * 0.2f},
                                         {radius * 0.7f, length * 0.5f},
                                         {radius * 0.92f, length * 0.8f},
                                         {radius, length - 0.5f},
                                         {radius * 0.78f, length - 0.08f},
                                         {0.0f, length - 0.08f}};
    LatheOptions o;
    o.segments = 12;  // a multiple of 4: the root touches its cells' sides
    o.vs = {0.0f, 0.2f, 0.5f, 0.8f, 0.93f, 0.99f, 1.0f};
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
    Mesh puff = ellipsoid({0, 0, 0}, {size, size * 0.42f, size * 0.72f}, "carrot_greens", 6, 3);
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
// leaf puffs.
Mesh greens(glm::vec3 crown, const Bounds& foot)
{
    Mesh all("carrot_greens");
    Random random(5);
    const glm::vec3 c = foot.centre();
    const glm::vec3 ends[] = {{foot.max.x - 0.3f, 1.45f, foot.min.z + 0.4f}, {foot.max.x - 0.25f, 0.9f, c.z},
                              {foot.max.x - 0.3f, 1.5f, foot.max.z - 0.4f},  {c.x + 0.1f, 1.55f, c.z + 0.1f},
                              {c.x + 0.1f, 0.6f, foot.min.z + 0.45f}};
    uint32_t seed = 900;
    for (const glm::vec3& end : ends) {
        const glm::vec3 out = crown + glm::vec3(0.4f, 0.1f, 0.1f);
        const glm::vec3 bend = glm::mix(out, end, 0.45f) + glm::vec3(0.0f, 0.25f, 0.0f);
        const std::vector<glm::vec3> stalk{crown, out, bend, end};
        all.append(tube(stalk, {0.08f, 0.07f, 0.055f, 0.04f}, "carrot_greens", 3, 2.0f, TubeEnd::Open));
        const glm::vec3 dir = glm::normalize(end - bend);
        all.append(leafPuff(end, dir, random.range(0.52f, 0.6f), seed++));
        const glm::vec3 sideways = glm::normalize(glm::cross(dir, glm::vec3(0, 1, 0))) * (seed % 2 ? 1.0f : -1.0f);
        all.append(leafPuff(glm::mix(bend, end, 0.55f) + sideways * 0.16f, dir + sideways, random.range(0.36f, 0.42f), seed++));
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
