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

// Wood, iron and brass parts are plain boxes whose edges catch the light through bent normals.
Mesh part(glm::vec3 lo, glm::vec3 hi, const std::string& material, float uvPerUnit = 1.0f)
{
    return box(lo, hi, material, uvPerUnit, material == "chest_wood" ? 0.3f : 0.45f);
}

// A rivet head on the front: a low four-sided stud.
Mesh rivet(glm::vec3 at)
{
    constexpr float size = 0.022f, height = 0.014f;
    Mesh m("chest_iron");
    const uint32_t tip = m.addVertex(at + glm::vec3(0, 0, -height), {0, 0, -1}, {0.5f, 0.5f});
    const glm::vec3 corners[] = {{-size, 0, 0}, {0, size, 0}, {size, 0, 0}, {0, -size, 0}};
    for (int i = 0; i < 4; ++i) {
        const glm::vec3 a = corners[i], b = corners[(i + 1) % 4];
        const uint32_t ia = m.addVertex(at + a, glm::normalize(a / size + glm::vec3(0, 0, -1)), {0.0f, 0.0f});
        const uint32_t ib = m.addVertex(at + b, glm::normalize(b / size + glm::vec3(0, 0, -1)), {1.0f, 0.0f});
        m.addTriangle(tip, ia, ib);
    }
    return m;
}

void addBody(AssetModel& model)
{
    model.add(part({-halfWidth, 0.0f, front}, {halfWidth, 0.1f, back}, "chest_wood"));
    model.add(part({-halfWidth, 0.05f, front}, {halfWidth, rimHeight, front + wall}, "chest_wood"));
    model.add(part({-halfWidth, 0.05f, back - wall}, {halfWidth, rimHeight, back}, "chest_wood"));
    for (float side : {-1.0f, 1.0f}) {
        const float x0 = side * (halfWidth - wall), x1 = side * halfWidth;
        model.add(part({std::min(x0, x1), 0.05f, front + 0.02f}, {std::max(x0, x1), rimHeight, back - 0.02f}, "chest_wood"));
    }
    model.add(part({-innerHalfWidth, floorHeight - 0.1f, innerFront}, {innerHalfWidth, floorHeight, innerBack}, "chest_inner"));
}

void addIron(AssetModel& model)
{
    const float lo = front - bandOut, hi = back + bandOut, edge = halfWidth + bandOut;
    for (float y : {0.06f, rimHeight - 0.1f}) {  // bands around the bottom and the rim
        const float y1 = y + 0.08f;
        model.add(part({-edge, y, lo}, {edge, y1, front + 0.03f}, "chest_iron", 2.0f));
        model.add(part({-edge, y, back - 0.03f}, {edge, y1, hi}, "chest_iron", 2.0f));
        model.add(part({-edge, y, lo}, {-halfWidth + 0.03f, y1, hi}, "chest_iron", 2.0f));
        model.add(part({halfWidth - 0.03f, y, lo}, {edge, y1, hi}, "chest_iron", 2.0f));
    }
    for (float sx : {-1.0f, 1.0f})
        for (float z : {lo, hi}) {  // corner guards
            const float x0 = sx * (halfWidth + bandOut + 0.004f), x1 = sx * (halfWidth - 0.14f);
            const float z1 = z < 0.0f ? front + 0.14f : back - 0.14f;
            model.add(part({std::min(x0, x1), 0.0f, std::min(z, z1)}, {std::max(x0, x1), rimHeight + 0.004f, std::max(z, z1)},
                           "chest_iron", 2.0f));
        }
    for (float x : {-strapX, strapX})
        for (float z : {lo, hi}) {  // straps down the front and back, riveted where the camera sees them
            const float inner = z < 0.0f ? front + 0.03f : back - 0.03f;
            model.add(part({x - 0.07f, 0.0f, std::min(z, inner)}, {x + 0.07f, rimHeight, std::max(z, inner)}, "chest_iron", 2.0f));
            if (z < 0.0f)
                for (float y : {0.28f, 0.5f, 0.72f})
                    model.add(rivet({x, y, z}));
        }
}

void addLock(AssetModel& model)
{
    model.add(part({-0.14f, 0.5f, front - 0.035f}, {0.14f, rimHeight - 0.02f, front + 0.01f}, "chest_brass", 3.0f));
    model.add(part({-0.02f, 0.6f, front - 0.05f}, {0.02f, 0.7f, front - 0.02f}, "chest_iron", 4.0f));
    model.add(part({-0.035f, 0.7f, front - 0.05f}, {0.035f, 0.76f, front - 0.03f}, "chest_iron", 4.0f));
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

// A lid part: a box of a few segments over the depth, bent into the arch.
Mesh lidPart(glm::vec3 lo, glm::vec3 hi, const std::string& material, float uvPerUnit)
{
    constexpr int archSegments = 4;
    Mesh m = box(lo, hi, material, uvPerUnit, 0.35f, glm::ivec3(1, 1, archSegments));
    warp(m, archLid);
    return m;
}

void addLid(AssetModel& model)
{
    model.add(lidPart({-halfWidth, 0.0f, front}, {halfWidth, lidThickness, back}, "chest_wood", 1.0f));
    const float edge = halfWidth + bandOut;
    for (float x : {-strapX, strapX, -halfWidth + 0.06f, halfWidth - 0.06f})
        model.add(lidPart({x - 0.07f, lidThickness - 0.01f, front - bandOut}, {x + 0.07f, lidThickness + bandOut, back + bandOut},
                          "chest_iron", 2.0f));
    model.add(lidPart({-edge, lidThickness - 0.02f, front - bandOut}, {edge, lidThickness + bandOut, front + 0.07f}, "chest_iron",
                      2.0f));
    model.add(lidPart({-0.07f, -0.12f, front - 0.03f}, {0.07f, lidThickness + 0.03f, front + 0.02f}, "chest_brass", 3.0f));
    for (float x : {-strapX, strapX}) {  // hinge knuckles on the back edge
        const std::vector<glm::vec3> axis{{x - 0.09f, rimHeight, back + 0.01f}, {x + 0.09f, rimHeight, back + 0.01f}};
        model.add(tube(axis, {0.035f, 0.035f}, "chest_iron", 6, 4.0f, TubeEnd::Flat));
    }
}

// Wooden post inside with a velvet cushion on top.
void addCushion(AssetModel& model, glm::vec3 c, float half)
{
    const float post = half * 0.75f;
    model.add(part({c.x - post, floorHeight - 0.01f, c.z - post}, {c.x + post, c.y - 0.1f, c.z + post}, "chest_inner"));
    Mesh cushion = box({-half, 0.0f, -half}, {half, 0.12f, half}, "velvet", 2.0f, 0.5f, glm::ivec3(2, 1, 2));
    warp(cushion, [half](glm::vec3 p) {  // puffed up in the middle, pinched at the corners
        const float u = p.x / half, v = p.z / half;
        const float puff = (1.0f - u * u) * (1.0f - v * v);
        return glm::vec3(p.x * (1.0f - 0.08f * puff), p.y * (0.75f + 0.5f * puff), p.z * (1.0f - 0.08f * puff));
    });
    model.add(transformed(cushion, glm::translate(glm::mat4(1.0f), glm::vec3(c.x, c.y - 0.115f, c.z))));
    for (float sx : {-1.0f, 1.0f})
        for (float sz : {-1.0f, 1.0f})  // tassels at the corners
            model.add(transformed(ellipsoid({0, 0, 0}, {0.03f, 0.045f, 0.03f}, "chest_brass", 4, 2),
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
