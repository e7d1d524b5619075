// A tall striped carton packed with fries, four cells high.
#include "food_textures.hpp"
#include "noise.hpp"
#include "shapes.hpp"
#include "stone_cells.hpp"
#include "stone_models.hpp"

#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

namespace assetgen {
namespace {

constexpr float cartonHeight = 5.5f;  // model units (the stone is 8 high)
constexpr float cartonFloor = 4.5f;   // where the fries stand inside
constexpr int cartonSegments = 16;    // enough for a square with rounded corners

// Open carton: squarish walls flaring toward the top, front and back rims dipping in the middle.
Mesh carton(const Bounds& box)
{
    const float half = box.max.x;
    LatheOptions o;
    o.segments = cartonSegments;
    o.roundness = 7.0f;
    o.stretch = {1.0f, box.max.z / box.max.x};
    o.uTurns = 4.0f;
    const std::vector<glm::vec2> profile{{0.0f, 0.0f},
                                         {half * 0.84f, 0.0f},
                                         {half, cartonHeight - 0.04f},
                                         {half * 0.97f, cartonHeight},
                                         {half * 0.93f, cartonHeight - 0.04f},
                                         {half * 0.82f, cartonFloor},
                                         {0.0f, cartonFloor}};
    o.vs = {0.0f, 0.04f, 0.7f, 0.78f, 0.8f, 0.95f, 1.0f};
    Mesh m = lathe(profile, "fries_carton", o);
    warp(m, [=](glm::vec3 p) {
        const float front = std::pow(std::abs(p.z) / box.max.z, 3.0f) * (1.0f - std::pow(p.x / half, 2.0f));
        const float dip = 0.7f * smoothstep(cartonHeight - 1.2f, cartonHeight, p.y) * std::max(front, 0.0f);
        return glm::vec3(p.x, p.y - dip, p.z);
    });
    return m;
}

// One fry: a long square stick standing in the carton, tilted a little.
Mesh fry(glm::vec2 at, float top, float tiltX, float tiltZ, float twist)
{
    constexpr float half = 0.13f;
    Mesh m = box({-half, cartonFloor - 0.8f, -half}, {half, top, half}, "fries", 0.6f, 0.35f);
    glm::mat4 t = glm::translate(glm::mat4(1.0f), glm::vec3(at.x, 0.0f, at.y));
    t = glm::translate(t, glm::vec3(0, cartonFloor, 0));
    t = glm::rotate(t, tiltX, glm::vec3(1, 0, 0));
    t = glm::rotate(t, tiltZ, glm::vec3(0, 0, 1));
    t = glm::rotate(t, twist, glm::vec3(0, 1, 0));
    t = glm::translate(t, glm::vec3(0, -cartonFloor, 0));
    m.transform(t);
    return m;
}

// A 5 x 5 bundle without its corners, the middle one reaching the stone's top.
Mesh fries(const Bounds& box)
{
    Mesh all("fries");
    Random random(77);
    constexpr int rows = 5;
    const float spacing = 0.3f;
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < rows; ++j) {
            if ((i == 0 || i == rows - 1) && (j == 0 || j == rows - 1))
                continue;
            const bool tallest = i == 2 && j == 2;
            const glm::vec2 at = glm::vec2(float(i - 2), float(j - 2)) * spacing +
                                 glm::vec2(random.range(-0.06f, 0.06f), random.range(-0.06f, 0.06f));
            const float top = tallest ? box.max.y - 0.01f : random.range(box.max.y - 1.6f, box.max.y - 0.25f);
            const float lean = tallest ? 0.0f : 0.07f;
            all.append(fry(at, top, random.range(-lean, lean) + at.y * 0.06f, random.range(-lean, lean) - at.x * 0.06f,
                           random.range(-0.3f, 0.3f)));
        }
    confine(all, box, 0.1f);
    return all;
}

} // namespace

AssetModel makeFrenchFries()
{
    const StoneClass& stone = frenchFriesClass();
    const Bounds box = stoneBoxInModel(stone);  // x -1..1, y 0..8, z -0.98..0.98
    AssetModel model(stone.file);
    model.addMaterial(cartonTexture());
    model.addMaterial(friesTexture());
    model.add(carton(box));
    model.add(fries(box));
    return model;
}

} // namespace assetgen
