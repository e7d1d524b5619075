// Four fly agarics in a T: three side by side along the bottom row, one growing on the middle cap.
#include "food_textures.hpp"
#include "shapes.hpp"
#include "stone_cells.hpp"
#include "stone_models.hpp"

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

namespace assetgen {
namespace {

constexpr float capUnderside = 0.52f;  // share of the cell height under the cap (stem showing)
constexpr int capSegments = 12;  // a multiple of 4: the caps touch their cells' sides

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

// The dome from its rolled rim to the top, the white warts painted on it.
Mesh cap(const Toadstool& m)
{
    const float rimY = m.base + m.height * capUnderside;
    const std::vector<glm::vec2> profile{{m.radius * 0.94f, rimY - 0.03f}, domePoint(m, 0.0f) + glm::vec2(0.0f, 0.05f),
                                         domePoint(m, 0.42f), domePoint(m, 0.78f), domePoint(m, 1.0f)};
    LatheOptions o;
    o.segments = capSegments;
    o.vs = {0.98f, 0.95f, 0.6f, 0.25f, 0.02f};  // the texture pales toward the rim at v = 1
    return lathe(profile, "mushroom_cap", o);
}

// The gills under the cap: one flat polygon under the rim.
Mesh gills(const Toadstool& m)
{
    const float y = m.base + m.height * capUnderside - 0.03f;
    std::vector<glm::vec3> corners;
    std::vector<glm::vec2> uvs;
    for (int i = capSegments - 1; i >= 0; --i) {  // clockwise from above: faces down
        const float a = glm::two_pi<float>() * float(i) / float(capSegments);
        corners.push_back({m.radius * 0.94f * std::cos(a), y, m.radius * 0.94f * std::sin(a)});
        uvs.push_back({0.5f + 0.5f * std::cos(a), 0.5f + 0.5f * std::sin(a)});
    }
    Mesh g("mushroom_gills");
    g.addFlatPolygon(corners, uvs);
    return g;
}

// A stout white stem with a swollen foot, closed flat underneath and hidden in the cap above.
Mesh stem(const Toadstool& m)
{
    const float top = m.base + m.height * capUnderside + 0.1f, h = top - m.base;
    LatheOptions o;
    o.segments = 8;
    o.uTurns = 2.0f;
    return lathe({{0.0f, m.base}, {0.36f, m.base}, {0.42f, m.base + h * 0.3f}, {0.28f, top}}, "mushroom_stem", o);
}

void addToadstool(AssetModel& model, const Toadstool& m, glm::vec3 at, float lean)
{
    glm::mat4 place = glm::translate(glm::mat4(1.0f), at);
    place = glm::rotate(place, lean, glm::vec3(1, 0, 0));
    for (Mesh part : {cap(m), gills(m), stem(m)})
        model.add(transformed(part, place));
}

} // namespace

AssetModel makeMushroom()
{
    const StoneClass& stone = mushroomClass();
    AssetModel model(stone.file);
    for (Material m : {mushroomCapTexture(), mushroomGillsTexture(), mushroomStemTexture()})
        model.addMaterial(std::move(m));
    // Cells 0..2 make the bottom row (pivot in the middle), cell 3 stands on the pivot.
    for (int i = 0; i < 4; ++i) {
        const Bounds cell = cellBoxInModel(stone, stone.cells[i]);
        const float radius = (cell.max.x - cell.min.x) * 0.5f;
        const bool onTop = i == 3;
        const float base = onTop ? cell.min.y - 0.06f : cell.min.y;  // stands in the cap below
        const Toadstool m{base, cell.max.y - base - 0.01f, radius};
        const float lean = onTop ? 0.0f : (i == 1 ? 0.02f : (i == 2 ? -0.02f : 0.0f));  // ends lean in
        addToadstool(model, m, glm::vec3(cell.centre().x, 0.0f, cell.centre().z), lean);
    }
    return model;
}

} // namespace assetgen
