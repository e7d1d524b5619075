// The treasure chest: planked wood with iron bands and a brass lock, its arched lid swung open.
#include "chest_layout.hpp"
#include "scene_models.hpp"
#include "shapes.hpp"
#include "treasure_textures.hpp"

#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

namespace assetgen {
namespace {

using namespace chest;

constexpr float lidThickness = 0.08f;
constexpr float lidArch = 0.28f;       // how far the middle of the lid rises above its edges
constexpr float bandOut = 0.022f;      // iron stands proud of the wood
constexpr float strapX = 0.62f;        // x of the vertical straps

Mesh box(glm::vec3 lo, glm::vec3 hi, float radius, const std::string& material, float uvPerUnit = 1.0f)
{
    const int arcs = material == "chest_wood" ? 2 : 1;  // small iron and brass parts need less rounding
    Mesh m = roundedBox(lo, hi, radius, material, uvPerUnit, arcs, 1);
    projectUv(m, uvPerUnit);
    return m;
}

Mesh rivet(glm::vec3 at, glm::vec3 facing)
{
    Mesh m = ellipsoid({0, 0, 0}, {0.022f, 0.022f, 0.014f}, "chest_iron", 6, 3);
    const glm::vec3 z = glm::normalize(facing), x = glm::normalize(glm::cross(glm::vec3(0, 1, 0), z));
    glm::mat4 t(1.0f);
    t[0] = glm::vec4(std::isfinite(x.x) && glm::length(x) > 0.5f ? x : glm::vec3(1, 0, 0), 0);
    t[2] = glm::vec4(z, 0);
    t[1] = glm::vec4(glm::cross(z, glm::vec3(t[0])), 0);
    t[3] = glm::vec4(at, 1);
    return transformed(m, t);
}

void addBody(AssetModel& model)
{
    model.add(box({-halfWidth, 0.0f, front}, {halfWidth, 0.1f, back}, 0.03f, "chest_wood"));
    model.add(box({-halfWidth, 0.05f, front}, {halfWidth, rimHeight, front + wall}, 0.025f, "chest_wood"));
    model.add(box({-halfWidth, 0.05f, back - wall}, {halfWidth, rimHeight, back}, 0.025f, "chest_wood"));
    for (float side : {-1.0f, 1.0f}) {
        const float x0 = side * (halfWidth - wall), x1 = side * halfWidth;
        model.add(box({std::min(x0, x1), 0.05f, front + 0.02f}, {std::max(x0, x1), rimHeight, back - 0.02f}, 0.025f,
                      "chest_wood"));
    }
    model.add(box({-innerHalfWidth, floorHeight - 0.1f, innerFront}, {innerHalfWidth, floorHeight, innerBack}, 0.01f,
                  "chest_inner"));
}

void addIron(AssetModel& model)
{
    const float lo = front - bandOut, hi = back + bandOut, edge = halfWidth + bandOut;
    for (float y : {0.06f, rimHeight - 0.1f}) {  // bands around the bottom and the rim
        const float y1 = y + 0.08f;
        model.add(box({-edge, y, lo}, {edge, y1, front + 0.03f}, 0.012f, "chest_iron", 2.0f));
        model.add(box({-edge, y, back - 0.03f}, {edge, y1, hi}, 0.012f, "chest_iron", 2.0f));
        model.add(box({-edge, y, lo}, {-halfWidth + 0.03f, y1, hi}, 0.012f, "chest_iron", 2.0f));
        model.add(box({halfWidth - 0.03f, y, lo}, {edge, y1, hi}, 0.012f, "chest_iron", 2.0f));
    }
    for (float sx : {-1.0f, 1.0f})
        for (float z : {lo, hi}) {  // corner guards
            const float x0 = sx * (halfWidth + bandOut + 0.004f), x1 = sx * (halfWidth - 0.14f);
            const float z1 = z < 0.0f ? front + 0.14f : back - 0.14f;
            model.add(box({std::min(x0, x1), 0.0f, std::min(z, z1)}, {std::max(x0, x1), rimHeight + 0.004f, std::max(z, z1)},
                          0.015f, "chest_iron", 2.0f));
        }
    for (float x : {-strapX, strapX})
        for (float z : {lo, hi}) {  // straps down the front and back, riveted
            const float inner = z < 0.0f ? front + 0.03f : back - 0.03f;
            model.add(box({x - 0.07f, 0.0f, std::min(z, inner)}, {x + 0.07f, rimHeight, std::max(z, inner)}, 0.015f,
                          "chest_iron", 2.0f));
            const glm::vec3 facing(0, 0, z < 0.0f ? -1.0f : 1.0f);
            for (float y : {0.28f, 0.5f, 0.72f})
                model.add(rivet({x, y, z - facing.z * 0.002f}, facing));
        }
}

void addLock(AssetModel& model)
{
    model.add(box({-0.14f, 0.5f, front - 0.035f}, {0.14f, rimHeight - 0.02f, front + 0.01f}, 0.02f, "chest_brass", 3.0f));
    model.add(box({-0.02f, 0.6f, front - 0.05f}, {0.02f, 0.7f, front - 0.02f}, 0.008f, "chest_iron", 4.0f));
    model.add(transformed(ellipsoid({0, 0, 0}, {0.035f, 0.035f, 0.015f}, "chest_iron", 10, 5),
                          glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.72f, front - 0.04f))));
}

// Points of the closed lid bend into an arch over its depth; the open lid turns about the back hinge.
glm::vec3 archLid(glm::vec3 p)
{
    const float half = (back - front) * 0.5f, centre = (back + front) * 0.5f;
    const float t = (p.z - centre) / half;
    const glm::vec3 closed(p.x, rimHeight + p.y + lidArch * (1.0f - t * t), p.z);
    const glm::vec3 hinge(0.0f, rimHeight, back);
    const glm::mat4 open = glm::rotate(glm::mat4(1.0f), glm::radians(lidOpenDegrees), glm::vec3(1, 0, 0));
    return hinge + glm::vec3(open * glm::vec4(closed - hinge, 0.0f));
}

Mesh lidPart(glm::vec3 lo, glm::vec3 hi, float radius, const std::string& material, float uvPerUnit)
{
    Mesh m = roundedBox(lo, hi, radius, material, uvPerUnit, material == "chest_wood" ? 2 : 1, glm::ivec3(1, 1, 8));
    projectUv(m, uvPerUnit);
    warp(m, archLid);
    return m;
}

void addLid(AssetModel& model)
{
    model.add(lidPart({-halfWidth, 0.0f, front}, {halfWidth, lidThickness, back}, 0.025f, "chest_wood", 1.0f));
    const float edge = halfWidth + bandOut;
    for (float x : {-strapX, strapX, -halfWidth + 0.06f, halfWidth - 0.06f})
        model.add(lidPart({x - 0.07f, lidThickness - 0.01f, front - bandOut}, {x + 0.07f, lidThickness + bandOut, back + bandOut},
                          0.012f, "chest_iron", 2.0f));
    model.add(lidPart({-edge, lidThickness - 0.02f, front - bandOut}, {edge, lidThickness + bandOut, front + 0.07f}, 0.012f,
                      "chest_iron", 2.0f));
    model.add(lidPart({-0.07f, -0.12f, front - 0.03f}, {0.07f, lidThickness + 0.03f, front + 0.02f}, 0.015f, "chest_brass",
                      3.0f));
    for (float x : {-strapX, strapX}) {  // hinge knuckles on the back edge
        const std::vector<glm::vec3> axis{{x - 0.09f, rimHeight, back + 0.01f}, {x + 0.09f, rimHeight, back + 0.01f}};
        model.add(tube(axis, {0.035f, 0.035f}, "chest_iron", 10, 4.0f));
    }
}

// Wooden post inside with a velvet cushion on top.
void addCushion(AssetModel& model, glm::vec3 c, float half)
{
    const float post = half * 0.75f;
    model.add(box({c.x - post, floorHeight - 0.01f, c.z - post}, {c.x + post, c.y - 0.1f, c.z + post}, 0.02f, "chest_inner"));
    Mesh cushion = roundedBox({-half, 0.0f, -half}, {half, 0.12f, half}, 0.05f, "velvet", 2.0f, 2, 4);
    warp(cushion, [half](glm::vec3 p) {  // puffed up in the middle, pinched at the corners
        const float u = p.x / half, v = p.z / half;
        const float puff = (1.0f - u * u) * (1.0f - v * v);
        return glm::vec3(p.x * (1.0f - 0.08f * puff), p.y * (0.75f + 0.5f * puff), p.z * (1.0f - 0.08f * puff));
    });
    model.add(transformed(cushion, glm::translate(glm::mat4(1.0f), glm::vec3(c.x, c.y - 0.115f, c.z))));
    for (float sx : {-1.0f, 1.0f})
        for (float sz : {-1.0f, 1.0f})  // tassels at the corners
            model.add(transformed(ellipsoid({0, 0, 0}, {0.03f, 0.045f, 0.03f}, "chest_brass", 8, 4),
                                  glm::translate(glm::mat4(1.0f), c + glm::vec3(sx * (half - 0.01f), -0.07f, sz * (half - 0.01f)))));
}

} // namespace

AssetModel makeChest()
{
    AssetModel model("schatztruhe-truhe");
    for (Material m : {chestWoodTexture(), chestInnerTexture(), ironTexture(), brassTexture(), velvetTexture()})
        model.addMaterial(std::move(m));
    addBody(model);
    addIron(model);
    addLock(model);
    addLid(model);
    addCushion(model, cushionTop, cushionHalf);
    addCushion(model, gemCushionTop, gemCushionHalf);
    return model;
}

} // namespace assetgen
