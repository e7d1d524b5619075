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

// Feathery leaflets in pairs along a stalk, pointing forward and out.
void addLeaflets(Mesh& greens, const std::vector<glm::vec3>& stalk, Random& random)
{
    for (std::size_t i = stalk.size() / 4; i + 1 < stalk.size(); i += 3)
        for (float side : {1.0f, -1.0f}) {
            const glm::vec3 dir = glm::normalize(stalk[i + 1] - stalk[i]);
            const glm::vec3 sideways = glm::normalize(glm::cross(dir, glm::vec3(0, 1, 0))) * side;
            const float length = random.range(0.36f, 0.52f) * (1.0f - 0.4f * float(i) / float(stalk.size()));
            Mesh leaflet = ellipsoid({length * 0.5f, 0, 0}, {length * 0.5f, 0.02f, 0.1f}, "carrot_greens", 6, 3);
            const glm::vec3 along = glm::normalize(sideways + dir * 1.1f + glm::vec3(0, random.range(-0.1f, 0.5f), 0));
            const glm::vec3 flat = glm::normalize(glm::cross(glm::vec3(0, 1, 0), along));
            glm::mat4 t(1.0f);
            t[0] = glm::vec4(along, 0);
            t[1] = glm::vec4(glm::normalize(glm::cross(along, flat)), 0);
            t[2] = glm::vec4(flat, 0);
            t[3] = glm::vec4(stalk[i], 1);
            greens.append(transformed(leaflet, t));
        }
}

// Stalks leave the crown of the root and fan out over the foot cell.
Mesh greens(glm::vec3 crown, const Bounds& foot)
{
    Mesh all("carrot_greens");
    Random random(5);
    const glm::vec3 ends[] = {{foot.max.x - 0.25f, 1.55f, foot.min.z + 0.3f}, {foot.max.x - 0.15f, 0.95f, foot.centre().z},
                              {foot.max.x - 0.3f, 1.7f, foot.max.z - 0.3f},   {foot.max.x - 0.45f, 0.45f, foot.max.z - 0.3f},
                              {foot.max.x - 0.4f, 0.5f, foot.min.z + 0.35f},  {foot.centre().x, 1.8f, foot.centre().z},
                              {foot.centre().x + 0.2f, 1.3f, foot.max.z - 0.15f}, {foot.centre().x, 1.1f, foot.min.z + 0.2f}};
    for (const glm::vec3& end : ends) {
        const glm::vec3 out = crown + glm::vec3(0.4f, 0.1f, 0.1f);
        const glm::vec3 bend = glm::mix(out, end, 0.45f) + glm::vec3(0.0f, 0.25f, 0.0f);
        const std::vector<glm::vec3> stalk = smoothPath({crown, out, bend, end}, 5);
        std::vector<float> radii;
        for (std::size_t i = 0; i < stalk.size(); ++i)
            radii.push_back(0.07f - 0.04f * float(i) / float(stalk.size()));
        all.append(tube(stalk, radii, "carrot_greens", 6, 2.0f));
        addLeaflets(all, stalk, random);
    }
    // The leaflet that reaches furthest out marks the cell's far edge.
    Mesh tip = ellipsoid({0, 0, 0}, {0.2f, 0.025f, 0.07f}, "carrot_greens", 8, 4);
    tip.transform(glm::translate(glm::mat4(1.0f), glm::vec3(foot.max.x - 0.21f, 0.95f, foot.centre().z + 0.1f)));
    all.append(tip);
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
    confine(leaves, reach, 0.12f);
    model.add(leaves);
    return model;
}

} // namespace assetgen
