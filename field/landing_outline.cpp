#include "field/landing_outline.hpp"

#include "field/playfield.hpp"

#include <algorithm>
#include <array>

namespace {

constexpr float half = Playfield::cellSize / 2.0f;

// Faces by axis (0 x, 1 y, 2 z) and side (0 low, 1 high): the top is brightest, the bottom darkest.
constexpr std::array<std::array<float, 2>, 3> faceShades{{{0.7f, 0.8f}, {0.55f, 1.0f}, {0.75f, 0.85f}}};

glm::ivec3 unit(int axis, int sign)
{
    glm::ivec3 step(0);
    step[axis] = sign;
    return step;
}

bool before(const glm::ivec3& a, const glm::ivec3& b)
{
    return std::lexicographical_compare(&a[0], &a[0] + 3, &b[0], &b[0] + 3);
}

} // namespace

void LandingOutline::build(const std::vector<glm::ivec3>& cells)
{
    spots_.clear();
    for (const glm::ivec3& c : cells) {
        const glm::ivec3 spot(c.x, c.z, c.y); // (x, z, level) to world axis order
        if (!filled(spot))
            spots_.push_back(spot);
    }
    faces_.clear();
    edges_.clear();
    for (const glm::ivec3& spot : spots_) {
        const Box box = boxOf(spot);
        addFaces(spot, box);
        addEdges(spot, box);
    }
}

bool LandingOutline::filled(const glm::ivec3& spot) const
{
    return std::find(spots_.begin(), spots_.end(), spot) != spots_.end();
}

// The cell's box (x and z centred on the cell's position, y from its floor up), pulled in by the
// inset on every side where no cell of the group continues it.
LandingOutline::Box LandingOutline::boxOf(const glm::ivec3& spot) const
{
    const glm::vec3 centre = glm::vec3(spot) * Playfield::cellSize;
    Box box{centre - glm::vec3(half, 0.0f, half), centre + glm::vec3(half, Playfield::cellSize, half)};
    for (int axis = 0; axis < 3; ++axis) {
        if (!filled(spot - unit(axis, 1)))
            box.low[axis] += inset;
        if (!filled(spot + unit(axis, 1)))
            box.high[axis] -= inset;
    }
    return box;
}

void LandingOutline::addFaces(const glm::ivec3& spot, const Box& box)
{
    for (int axis = 0; axis < 3; ++axis)
        for (int side = 0; side < 2; ++side) {
            if (filled(spot + unit(axis, side == 0 ? -1 : 1)))
                continue; // between two cells of the group: inside the body
            const int u = (axis + 1) % 3;
            const int v = (axis + 2) % 3;
            std::array<glm::vec3, 4> corners;
            for (int i = 0; i < 4; ++i) {
                glm::vec3& corner = corners[static_cast<std::size_t>(i)];
                corner[axis] = side == 0 ? box.low[axis] : box.high[axis];
                corner[u] = (i == 1 || i == 2) ? box.high[u] : box.low[u];
                corner[v] = i >= 2 ? box.high[v] : box.low[v];
            }
            const float shade = faceShades[static_cast<std::size_t>(axis)][static_cast<std::size_t>(side)];
            for (const int i : {0, 1, 2, 0, 2, 3})
                faces_.push_back({corners[static_cast<std::size_t>(i)], shade});
        }
}

// An edge along one axis is shared by four cells around it. It is a crease unless all four are in
// the group or two side by side are (then it lies in a flat face); the first cell of the group among
// the four draws it.
void LandingOutline::addEdges(const glm::ivec3& spot, const Box& box)
{
    for (int axis = 0; axis < 3; ++axis) {
        const int u = (axis + 1) % 3;
        const int v = (axis + 2) % 3;
        for (int su = 0; su < 2; ++su)
            for (int sv = 0; sv < 2; ++sv) {
                const glm::ivec3 alongU = spot + unit(u, su == 0 ? -1 : 1);
                const glm::ivec3 alongV = spot + unit(v, sv == 0 ? -1 : 1);
                const glm::ivec3 across = alongU + alongV - spot;
                const bool fu = filled(alongU);
                const bool fv = filled(alongV);
                const bool fa = filled(across);
                if ((fu && fv && fa) || (fu != fv && !fa))
                    continue; // inside the body, or in a flat face
                if ((fu && before(alongU, spot)) || (fv && before(alongV, spot)) || (fa && before(across, spot)))
                    continue; // another cell of the four draws it
                glm::vec3 from;
                from[u] = su == 0 ? box.low[u] : box.high[u];
                from[v] = sv == 0 ? box.low[v] : box.high[v];
                from[axis] = box.low[axis];
                glm::vec3 to = from;
                to[axis] = box.high[axis];
                edges_.push_back({from, 1.0f});
                edges_.push_back({to, 1.0f});
            }
    }
}
