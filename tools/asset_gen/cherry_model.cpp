// Four cherries in an S, hanging in two pairs from joined stems.
#include "food_textures.hpp"
#include "shapes.hpp"
#include "stone_cells.hpp"
#include "stone_models.hpp"

#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

namespace assetgen {
namespace {

constexpr int cherrySegments = 12;  // a multiple of 4: the cherries touch their cells' sides
constexpr float stemRadius = 0.055f;

// One cherry filling a cell box: resting on a small flat spot, round, a little wider than tall,
// dimpled where the stem sits.
Mesh cherryBody(const Bounds& cell)
{
    const float r = (cell.max.x - cell.min.x) * 0.5f;
    const std::vector<glm::vec2> unit{{0.0f, 0.0f}, {0.5f, 0.0f}, {1.0f, 0.64f}, {0.76f, 1.42f}, {0.22f, 1.68f}, {0.0f, 1.6f}};
    std::vector<glm::vec2> profile;
    for (const glm::vec2& p : unit)
        profile.push_back({p.x * r, cell.min.y + p.y * r});
    LatheOptions o;
    o.segments = cherrySegments;
    o.vs = {0.0f, 0.08f, 0.4f, 0.75f, 0.95f, 1.0f};
    Mesh m = lathe(profile, "cherry_skin", o);
    m.transform(glm::translate(glm::mat4(1.0f), glm::vec3(cell.centre().x, 0.0f, cell.centre().z)));
    return m;
}

glm::vec3 stemTop(const Bounds& cell) { return {cell.centre().x, cell.min.y + 1.6f, cell.centre().z}; }

// Stem from one cherry up to where the pair joins and down into the other; the join's top at peak.
Mesh pairStem(const Bounds& a, const Bounds& b, float peak)
{
    const glm::vec3 pa = stemTop(a), pb = stemTop(b);
    const glm::vec3 join = glm::vec3((pa.x + pb.x) * 0.5f + 0.08f, peak - stemRadius, (pa.z + pb.z) * 0.5f);
    const auto toward = [&](glm::vec3 from, float t, float rise) { return glm::mix(from, join, t) + glm::vec3(0, rise, 0); };
    const std::vector<glm::vec3> path{pa - glm::vec3(0, 0.05f, 0), toward(pa, 0.3f, 0.16f), toward(pa, 0.7f, 0.06f), join,
                                      toward(pb, 0.7f, 0.06f),    toward(pb, 0.3f, 0.16f), pb - glm::vec3(0, 0.05f, 0)};
    return tube(path, std::vector<float>(path.size(), stemRadius), "plant_stem", 3, 2.0f, TubeEnd::Open);
}

// A leaf sprouting at the joint of a pair, lying along x: a flat lens drooping toward its tip.
Mesh leaf(glm::vec3 base, float length, float tilt)
{
    Mesh m = ellipsoid({length * 0.5f, 0.0f, 0.0f}, {length * 0.5f, 0.035f, length * 0.24f}, "plant_leaf", 6, 2);
    for (Vertex& v : m.vertices())  // the midrib along u = 0.5 of the leaf texture
        v.uv = {0.25f + 0.5f * (v.position.z / (length * 0.24f) + 1.0f) * 0.5f, v.position.x / length};
    warp(m, [=](glm::vec3 p) {
        const float t = p.x / length;
        return glm::vec3(p.x, p.y - 0.25f * t * t * length + 0.05f * std::abs(p.z) / 0.2f, p.z);
    });
    glm::mat4 t = glm::translate(glm::mat4(1.0f), base);
    t = glm::rotate(t, tilt, glm::vec3(0, 1, 0));
    t = glm::rotate(t, -0.1f, glm::vec3(0, 0, 1));
    m.transform(t);
    return m;
}

} // namespace

AssetModel makeCherry()
{
    const StoneClass& stone = cherryClass();
    AssetModel model(stone.file);
    model.addMaterial(cherryTexture());
    model.addMaterial(stemTexture());
    model.addMaterial(leafTexture());

    const Bounds pivot = cellBoxInModel(stone, stone.cells[0]);     // bottom row, middle
    const Bounds above = cellBoxInModel(stone, stone.cells[1]);     // top row, over the pivot
    const Bounds aboveFar = cellBoxInModel(stone, stone.cells[2]);  // top row, far end
    const Bounds near = cellBoxInModel(stone, stone.cells[3]);      // bottom row, near end
    for (const Bounds& cell : {pivot, above, aboveFar, near})
        model.add(cherryBody(cell));
    model.add(pairStem(near, pivot, near.max.y - 0.04f));
    model.add(pairStem(above, aboveFar, aboveFar.max.y));  // the stone's top
    Mesh leaves("plant_leaf");
    leaves.append(leaf({0.1f, near.max.y - 0.1f, (near.centre().z + pivot.centre().z) * 0.5f}, 0.8f, 2.6f));
    leaves.append(leaf({0.1f, above.max.y - 0.12f, (above.centre().z + aboveFar.centre().z) * 0.5f}, 0.82f, 0.5f));
    confine(leaves, stoneBoxInModel(stone), 0.08f);
    model.add(leaves);
    return model;
}

} // namespace assetgen
