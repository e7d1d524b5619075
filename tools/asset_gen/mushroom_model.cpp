// Four fly agarics in a T: three side by side along the bottom row, one growing on the middle cap.
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

constexpr float capUnderside = 0.52f;  // share of the cell height under the cap (stem showing)
constexpr int capSegments = 28;

struct Toadstool {
    float base;     // y where the stem stands
    float height;   // up to the top of the cap
    float radius;   // cap radius
};

// Point of the cap's outer dome: t = 0 at the rim, 1 at the top.
glm::vec2 domePoint(const Toadstool& m, float t)
{
    const float rimY = m.base + m.height * capUnderside;
    const float a = t * glm::half_pi<float>();
    return {m.radius * std::cos(a), rimY + (m.base + m.height - rimY) * std::pow(std::sin(a), 0.8f)};
}

Mesh cap(const Toadstool& m)
{
    std::vector<glm::vec2> profile;
    constexpr int rings = 7;
    for (int i = 0; i <= rings; ++i)
        profile.push_back(domePoint(m, float(i) / float(rings)));
    profile.front() = {m.radius, m.base + m.height * capUnderside + 0.04f};
    profile.insert(profile.begin(), glm::vec2(m.radius * 0.97f, m.base + m.height * capUnderside - 0.02f));
    LatheOptions o;
    o.segments = capSegments;
    o.vs.clear();
    return lathe(profile, "mushroom_cap", o);
}

// The gills under the cap, from the rim in to the stem.
Mesh gills(const Toadstool& m)
{
    const float rimY = m.base + m.height * capUnderside;
    LatheOptions o;
    o.segments = capSegments;
    return lathe({{m.radius * 0.3f, rimY + 0.12f}, {m.radius * 0.6f, rimY + 0.06f}, {m.radius * 0.97f, rimY - 0.02f}},
                 "mushroom_gills", o);
}

Mesh stem(const Toadstool& m)
{
    const float top = m.base + m.height * capUnderside + 0.14f, h = top - m.base;
    LatheOptions o;
    o.segments = 14;
    o.uTurns = 2.0f;
    Mesh s = lathe({{0.0f, m.base}, {0.3f, m.base}, {0.44f, m.base + h * 0.15f}, {0.4f, m.base + h * 0.35f},
                    {0.3f, m.base + h * 0.7f}, {0.28f, top}, {0.0f, top}},
                   "mushroom_stem", o);
    // The ring (annulus) hanging just under the cap.
    const float y = m.base + h * 0.78f;
    s.append(lathe({{0.28f, y - 0.02f}, {0.42f, y - 0.14f}, {0.46f, y - 0.12f}, {0.4f, y + 0.02f}, {0.28f, y + 0.04f}},
                   "mushroom_stem", o));
    return s;
}

// White warts sitting on the dome.
Mesh warts(const Toadstool& m, uint32_t seed)
{
    Mesh all("mushroom_spot");
    Random random(seed);
    constexpr int count = 9;
    for (int i = 0; i < count; ++i) {
        const float angle = random.range(0.0f, glm::two_pi<float>());
        const float t = random.range(0.15f, 0.85f);
        const auto surface = [&](float a, float tt) {
            const glm::vec2 p = domePoint(m, tt);
            return glm::vec3(p.x * std::cos(a), p.y, -p.x * std::sin(a));
        };
        const glm::vec3 p = surface(angle, t);
        const glm::vec3 n = glm::normalize(glm::cross(surface(angle + 0.01f, t) - p, surface(angle, t + 0.01f) - p));
        const float size = random.range(0.09f, 0.16f);
        Mesh wart = ellipsoid({0, 0, 0}, {size, 0.045f, size * random.range(0.7f, 1.0f)}, "mushroom_spot", 7, 3);
        glm::mat4 t4 = glm::translate(glm::mat4(1.0f), p);
        const glm::vec3 axis = glm::cross(glm::vec3(0, 1, 0), n);
        if (glm::length(axis) > 1e-4f)
            t4 = glm::rotate(t4, std::acos(glm::clamp(n.y, -1.0f, 1.0f)), glm::normalize(axis));
        all.append(transformed(wart, t4));
    }
    Bounds inside;
    inside.include(glm::vec3(-m.radius, m.base, -m.radius));
    inside.include(glm::vec3(m.radius, m.base + m.height, m.radius));
    confine(all, inside, 0.05f);
    return all;
}

void addToadstool(AssetModel& model, const Toadstool& m, glm::vec3 at, float lean, uint32_t seed)
{
    glm::mat4 place = glm::translate(glm::mat4(1.0f), at);
    place = glm::rotate(place, lean, glm::vec3(1, 0, 0));
    for (Mesh part : {cap(m), gills(m), stem(m), warts(m, seed)})
        model.add(transformed(part, place));
}

} // namespace

AssetModel makeMushroom()
{
    const StoneClass& stone = mushroomClass();
    AssetModel model(stone.file);
    for (Material m : {mushroomCapTexture(), mushroomSpotTexture(), mushroomGillsTexture(), mushroomStemTexture()})
        model.addMaterial(std::move(m));
    // Cells 0..2 make the bottom row (pivot in the middle), cell 3 stands on the pivot.
    for (int i = 0; i < 4; ++i) {
        const Bounds cell = cellBoxInModel(stone, stone.cells[i]);
        const float radius = (cell.max.x - cell.min.x) * 0.5f;
        const bool onTop = i == 3;
        const float base = onTop ? cell.min.y - 0.06f : cell.min.y;  // stands in the cap below
        const Toadstool m{base, cell.max.y - base - 0.01f, radius};
        const float lean = onTop ? 0.0f : (i == 1 ? 0.02f : (i == 2 ? -0.02f : 0.0f));  // ends lean in
        addToadstool(model, m, glm::vec3(cell.centre().x, 0.0f, cell.centre().z), lean, 600u + uint32_t(i));
    }
    return model;
}

} // namespace assetgen
