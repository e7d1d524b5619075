// Four cherries in an S, hanging in two pairs from joined stems.
#include "food_textures.hpp"
#include "shapes.hpp"
#include "stone_cells.hpp"
#include "stone_models.hpp"

#include <glm/gtc/matrix_transform.hpp>

namespace assetgen {
namespace {

// One cherry filling a cell box: round, a little wider than tall, dimpled where the stem sits.
Mesh cherryBody(const Bounds& cell)
{
    const float r = (cell.max.x - cell.min.x) * 0.5f;
    std::vector<glm::vec3> controls{{0.0f, 0.01f, 0}, {0.42f, 0.06f, 0}, {0.8f, 0.28f, 0}, {0.98f, 0.62f, 0},
                                    {1.0f, 0.9f, 0},   {0.95f, 1.22f, 0}, {0.8f, 1.5f, 0},   {0.52f, 1.72f, 0},
                                    {0.24f, 1.74f, 0}, {0.07f, 1.62f, 0}, {0.0f, 1.58f, 0}};
    std::vector<glm::vec2> profile;
    for (const glm::vec3& p : smoothPath(controls, 2))
        profile.push_back({std::max(p.x, 0.0f) * r, cell.min.y + p.y * r});
    profile.front().x = 0.0f;
    profile.back().x = 0.0f;
    LatheOptions o;
    o.segments = 18;
    Mesh m = lathe(profile, "cherry_skin", o);
    m.transform(glm::translate(glm::mat4(1.0f), glm::vec3(cell.centre().x, 0.0f, cell.centre().z)));
    return m;
}

glm::vec3 stemTop(const Bounds& cell) { return {cell.centre().x, cell.min.y + 1.6f, cell.centre().z}; }

// Stem from one cherry up to where the pair joins and down into the other.
Mesh pairStem(const Bounds& a, const Bounds& b, float joinHeight)
{
    const glm::vec3 pa = stemTop(a), pb = stemTop(b);
    const glm::vec3 join = glm::vec3((pa.x + pb.x) * 0.5f + 0.08f, joinHeight, (pa.z + pb.z) * 0.5f);
    const auto toward = [&](glm::vec3 from, float t, float rise) {
        return glm::mix(from, join, t) + glm::vec3(0, rise, 0);
    };
    const std::vector<glm::vec3> path = smoothPath({pa - glm::vec3(0, 0.05f, 0), toward(pa, 0.25f, 0.14f),
                                                    toward(pa, 0.7f, 0.06f), join, toward(pb, 0.7f, 0.06f),
                                                    toward(pb, 0.25f, 0.14f), pb - glm::vec3(0, 0.05f, 0)},
                                                   3);
    return tube(path, std::vector<float>(path.size(), 0.055f), "plant_stem", 7, 2.0f);
}

// A leaf sprouting at the joint of a pair, lying along x.
Mesh leaf(glm::vec3 base, float length, float tilt)
{
    Mesh m = ellipsoid({length * 0.5f, 0.0f, 0.0f}, {length * 0.5f, 0.03f, length * 0.22f}, "plant_leaf", 12, 6);
    warp(m, [=](glm::vec3 p) {
        const float t = p.x / length;
        return glm::vec3(p.x, p.y - 0.25f * t * t * length + 0.04f * std::abs(p.z) / 0.2f, p.z);
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
    model.add(pairStem(near, pivot, near.max.y - 0.06f));
    model.add(pairStem(above, aboveFar, aboveFar.max.y - 0.08f));
    Mesh leaves("plant_leaf");
    leaves.append(leaf({0.1f, near.max.y - 0.08f, (near.centre().z + pivot.centre().z) * 0.5f}, 0.8f, 2.6f));
    leaves.append(leaf({0.1f, above.max.y - 0.1f, (above.centre().z + aboveFar.centre().z) * 0.5f}, 0.82f, 0.5f));
    confine(leaves, stoneBoxInModel(stone), 0.08f);
    model.add(leaves);
    return model;
}

} // namespace assetgen
