// The landing marker's body: which faces and creases a group of cells shows, where, and each once.

#include "field/landing_outline.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

namespace {

struct Case {
    const char* name;
    std::vector<glm::ivec3> cells; // (x, z, level)
    std::size_t faces;             // squares
    std::size_t edges;             // segments
};

const Case cases[] = {
    {"a lone cell", {{2, 3, 1}}, 6, 12},
    {"a cell given twice", {{2, 3, 1}, {2, 3, 1}}, 6, 12},
    {"two cells one above the other", {{4, 4, 0}, {4, 4, 1}}, 10, 16},
    {"a 2 x 2 x 2 block", {{4, 4, 0}, {4, 5, 0}, {4, 4, 1}, {4, 5, 1}, {5, 4, 0}, {5, 5, 0}, {5, 4, 1}, {5, 5, 1}}, 24, 24},
    {"a flat L", {{4, 4, 0}, {5, 5, 0}, {4, 5, 0}, {4, 3, 0}}, 18, 26},
    {"two cells meeting at an edge", {{0, 0, 0}, {1, 0, 1}}, 12, 23},
    {"an upright bar of four", {{4, 4, 0}, {4, 4, 1}, {4, 4, 2}, {4, 4, 3}}, 18, 24},
};

using Point = std::tuple<float, float, float>;

Point pointOf(const glm::vec3& p)
{
    return {p.x, p.y, p.z};
}

TEST(LandingOutline, ShowsTheOuterFacesAndTheCreasesOfTheGroup)
{
    LandingOutline outline;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        outline.build(c.cells);
        EXPECT_EQ(outline.faces().size(), 6 * c.faces);
        EXPECT_EQ(outline.edges().size(), 2 * c.edges);
        std::set<std::pair<Point, Point>> segments;
        for (std::size_t i = 0; i + 1 < outline.edges().size(); i += 2) {
            const Point a = pointOf(outline.edges()[i].position);
            const Point b = pointOf(outline.edges()[i + 1].position);
            segments.insert({std::min(a, b), std::max(a, b)});
        }
        EXPECT_EQ(segments.size(), c.edges) << "every crease once";
    }
}

TEST(LandingOutline, CellsSideBySideJoinWithoutAGap)
{
    LandingOutline outline;
    outline.build({{4, 4, 0}, {5, 4, 0}}); // along x: world 350..550, y 0..100
    std::set<float> xs;
    for (const OutlineVertex& v : outline.faces())
        xs.insert(v.position.x);
    const float in = LandingOutline::inset;
    EXPECT_EQ(xs, (std::set<float>{350.0f + in, 450.0f, 550.0f - in})); // pulled in outside only
    for (const OutlineVertex& v : outline.faces())
        EXPECT_TRUE(v.position.y == in || v.position.y == 100.0f - in) << "over the ground, under the next level";
}

} // namespace
