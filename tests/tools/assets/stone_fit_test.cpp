// Each stone model, placed the way the game places its class (scale, draw offset, quarter turns about
// the class's rotation centre), covers exactly the cells the class fills.

#include "tests/tools/assets/imported_model.hpp"

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr float cellSize = 100.0f;  // world units
constexpr float fitTolerance = 2.0f;  // world units between the model's box and the cells' box

struct StoneClass {
    const char* name;
    const char* file;
    glm::vec3 scale, drawOffset, rotationCentre;
    std::vector<glm::vec3> cells;
    bool cellsTurn;  // the burger keeps its unturned cells whatever it shows
};

const std::vector<StoneClass>& stoneClasses()
{
    static const std::vector<StoneClass> classes{
        {"Burger", "Stones/quad.obj", {50, 50, 50}, {50, 9, 50}, {0, 90, 0},
         {{0, 0, 0}, {0, 0, 100}, {0, 100, 0}, {0, 100, 100}, {100, 0, 0}, {100, 0, 100}, {100, 100, 0}, {100, 100, 100}}, false},
        {"Cherry", "Stones/tex_z.obj", {50, 50, 50}, {0, 0, -100}, {0, 50, 100}, {{0, 0, 0}, {0, 100, 0}, {0, 100, 100}, {0, 0, -100}}, true},
        {"FrenchFries", "Stones/tex_i.obj", {50, 50, 51}, {0, -100, 0}, {0, 150, 0}, {{0, 0, 0}, {0, 100, 0}, {0, 200, 0}, {0, -100, 0}}, true},
        {"Carrot", "Stones/tex_L.obj", {50, 50, 50}, {0, 0, 50}, {0, 50, -50}, {{0, 0, 0}, {100, 0, 100}, {0, 0, 100}, {0, 0, -100}}, true},
        {"Mushroom", "Stones/tex_t.obj", {50, 50, 50}, {0, 0, -100}, {0, 50, 100}, {{0, 0, 0}, {0, 0, -100}, {0, 0, 100}, {0, 100, 0}}, true},
    };
    return classes;
}

void PrintTo(const StoneClass& c, std::ostream* out) { *out << c.name; }

// The game's placement after the given quarter turns ('x' or 'z' each), pivot cell at the origin.
struct Placement {
    glm::mat4 model;
    std::vector<glm::vec3> cells;
};

Placement place(const StoneClass& c, const std::string& turns)
{
    glm::mat4 pivotRotation(1.0f);
    glm::mat4 model = glm::scale(glm::mat4(1.0f), c.scale);
    for (char t : turns) {
        const glm::vec3 axis = t == 'x' ? glm::vec3(1, 0, 0) : glm::vec3(0, 0, 1);
        pivotRotation = glm::translate(pivotRotation, c.rotationCentre);
        pivotRotation = glm::rotate(pivotRotation, glm::half_pi<float>(), axis);
        pivotRotation = glm::translate(pivotRotation, -c.rotationCentre);
        model = glm::rotate(model, glm::half_pi<float>(), axis);
    }
    glm::mat4 turnOnly = pivotRotation;
    turnOnly[3] = glm::vec4(0, 0, 0, 1);
    Placement p;
    for (const glm::vec3& cell : c.cells)
        p.cells.push_back(c.cellsTurn ? glm::round(glm::vec3(turnOnly * glm::vec4(cell, 1.0f))) : cell);
    model[3] = glm::vec4(glm::vec3(pivotRotation[3]) + c.drawOffset, 1.0f);
    p.model = model;
    return p;
}

Box cellBox(glm::vec3 cell)
{
    Box b;
    b.include(cell + glm::vec3(-cellSize / 2, 0.0f, -cellSize / 2));
    b.include(cell + glm::vec3(cellSize / 2, cellSize, cellSize / 2));
    return b;
}

Box cellsBox(const std::vector<glm::vec3>& cells)
{
    Box b;
    for (const glm::vec3& c : cells) {
        b.include(cellBox(c).min);
        b.include(cellBox(c).max);
    }
    return b;
}

void expectBoxNear(const Box& actual, const Box& expected, glm::vec3 tolerance)
{
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_NEAR(actual.min[axis], expected.min[axis], tolerance[axis]) << "low side of axis " << axis;
        EXPECT_NEAR(actual.max[axis], expected.max[axis], tolerance[axis]) << "high side of axis " << axis;
    }
}

class StoneFit : public ::testing::TestWithParam<StoneClass> {};

TEST_P(StoneFit, UnturnedModelFillsTheUnionOfItsCells)
{
    const ImportedModel model(ressource(GetParam().file));
    ASSERT_TRUE(model.loaded()) << model.error();
    const Placement p = place(GetParam(), "");
    expectBoxNear(model.bounds(p.model), cellsBox(p.cells), glm::vec3(fitTolerance));
}

// Surface area of the triangles inside the box, from points spread about spacing apart over each.
float areaInside(const std::vector<Triangle>& triangles, const Box& box, float spacing)
{
    float area = 0.0f;
    for (const Triangle& t : triangles) {
        const float longest = std::max({glm::length(t.b - t.a), glm::length(t.c - t.b), glm::length(t.a - t.c)});
        const int n = std::max(1, int(std::ceil(longest / spacing)));
        const float share = 0.5f * glm::length(glm::cross(t.b - t.a, t.c - t.a)) / float((n + 1) * (n + 2) / 2);
        for (int i = 0; i <= n; ++i)
            for (int j = 0; i + j <= n; ++j) {
                const glm::vec3 q = t.a + (t.b - t.a) * (float(i) / n) + (t.c - t.a) * (float(j) / n);
                if (glm::all(glm::greaterThan(q, box.min)) && glm::all(glm::lessThan(q, box.max)))
                    area += share;
            }
    }
    return area;
}

// Every cell holds a good piece of the food (at least most of a cell face's worth of surface), so
// each cell reads as food of its own.
TEST_P(StoneFit, EveryCellHoldsFood)
{
    const ImportedModel model(ressource(GetParam().file));
    ASSERT_TRUE(model.loaded());
    const Placement p = place(GetParam(), "");
    const std::vector<Triangle> surface = model.triangles(p.model);
    const float mostOfAFace = 0.8f * cellSize * cellSize;
    for (const glm::vec3& cell : p.cells) {
        const Box inner{cellBox(cell).min + fitTolerance, cellBox(cell).max - fitTolerance};
        EXPECT_GE(areaInside(surface, inner, 5.0f), mostOfAFace) << "cell " << cell.x << " " << cell.y << " " << cell.z;
    }
}

// Quarter turns keep the model on the (turned) cells. The fries are the one exception: their z
// scale of 51 stretches the bar to 408 units whenever it lies along z, 8 past its last cell.
TEST_P(StoneFit, TurnedModelStaysOnItsCells)
{
    const StoneClass& c = GetParam();
    const ImportedModel model(ressource(c.file));
    ASSERT_TRUE(model.loaded());
    for (const std::string turns : {"x", "xx", "xxx", "z", "zz", "zzz", "xz", "zx", "xzx"}) {
        SCOPED_TRACE(turns);
        const Placement p = place(c, turns);
        const Box actual = model.bounds(p.model), expected = cellsBox(p.cells);
        const bool barAlongZ = expected.size().z > 3.5f * cellSize;
        if (std::string(c.name) == "FrenchFries" && barAlongZ) {
            expectBoxNear(actual, expected, {fitTolerance, fitTolerance, 8.0f + fitTolerance});
            EXPECT_NEAR(actual.size().z, 4.0f * cellSize * 51.0f / 50.0f, fitTolerance);
        } else {
            expectBoxNear(actual, expected, glm::vec3(fitTolerance));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Stones, StoneFit, ::testing::ValuesIn(stoneClasses()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
