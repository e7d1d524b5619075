// The squirrel stops at ground-level stones and gnaws them away after more than five seconds.

#include "creatures/squirrel.hpp"
#include "tests/creatures/creature_helpers.hpp"
#include "tests/field/fake_food.hpp"

#include <GLFW/glfw3.h>

#include <cmath>

namespace {

constexpr float frame = 0.1f; // seconds: 1.54 world units of walking per step

// A squirrel at (x, 0, 300) heading along +x; its probe point lies 7 units ahead on the ground.
Squirrel squirrelAt(float x)
{
    return Squirrel(placedAt(x, 0.0f, 300.0f), glm::vec3(2000.0f, 0.0f, 300.0f));
}

// Walks until the squirrel gnaws (at most limit steps).
void walkUntilGnawing(Squirrel& squirrel, Playfield& field, int limit = 1000)
{
    for (int i = 0; i < limit && !squirrel.gnawing; ++i)
        step(squirrel, field, frame);
}

TEST(Squirrel, StopsInFrontOfAGroundStoneAndRemovesItAfterMoreThanFiveSeconds)
{
    Playfield field;
    auto stone = placeFood(field, {{2, 3, 0}, {2, 4, 0}});
    auto above = placeFood(field, {{2, 3, 1}});
    Squirrel squirrel = squirrelAt(120.0f);
    glfwSetTime(1000.0);
    walkUntilGnawing(squirrel, field);
    ASSERT_TRUE(squirrel.gnawing);
    EXPECT_GE(squirrel.partMatrices[0][3].x, 150.0f);
    EXPECT_NEAR(squirrel.gnawStart, 1000.0, 0.5);
    const double start = squirrel.gnawStart;

    const float stoppedAt = squirrel.position().x;
    glfwSetTime(start + 4.95);
    for (int i = 0; i < 10; ++i)
        step(squirrel, field, frame);
    EXPECT_EQ(squirrel.position().x, stoppedAt);
    EXPECT_EQ(field.at(2, 4, 0), stone.get());

    glfwSetTime(start + 5.05);
    step(squirrel, field, frame);
    EXPECT_EQ(field.at(2, 3, 0), nullptr);
    EXPECT_EQ(field.at(2, 4, 0), nullptr); // the whole stone, not only the gnawed cell
    EXPECT_EQ(squirrel.gnawStart, -1.0);
    EXPECT_TRUE(above->gridCells.empty()); // the stone on top falls again
    EXPECT_EQ(field.fallingStones.size(), 1u);

    step(squirrel, field, frame);
    EXPECT_FALSE(squirrel.gnawing);
    step(squirrel, field, frame);
    EXPECT_GT(squirrel.position().x, stoppedAt);
}

TEST(Squirrel, WalksUnderStonesThatDoNotTouchTheGround)
{
    Playfield field;
    placeFood(field, {{2, 3, 1}});
    Squirrel squirrel = squirrelAt(120.0f);
    for (int i = 0; i < 100; ++i)
        step(squirrel, field, frame);
    EXPECT_FALSE(squirrel.gnawing);
    EXPECT_GT(squirrel.position().x, 270.0f);
    EXPECT_EQ(squirrel.gnawStart, -1.0);
}

TEST(Squirrel, KeepsTheTimerWhenTheStoneVanishesOtherwise)
{
    Playfield field;
    placeFood(field, {{2, 3, 0}});
    Squirrel squirrel = squirrelAt(120.0f);
    glfwSetTime(2000.0);
    walkUntilGnawing(squirrel, field);
    const double start = squirrel.gnawStart;
    ASSERT_GE(start, 2000.0);

    field.removeStone(2, 0, 3); // taken away by the player
    glfwSetTime(start + 3.0);
    step(squirrel, field, frame);
    EXPECT_FALSE(squirrel.gnawing);
    EXPECT_EQ(squirrel.gnawStart, start);

    // The next stone met more than five seconds after that start goes at once.
    const glm::vec3 probe(squirrel.partMatrices[0][3]);
    const glm::ivec3 cell(static_cast<int>(std::roundf(probe.x / 100.0f)), 3, 0);
    auto next = placeFood(field, {cell});
    glfwSetTime(start + 5.5);
    step(squirrel, field, 0.0f);
    EXPECT_EQ(field.at(cell.x, cell.y, cell.z), nullptr);
    EXPECT_TRUE(field.landedStones.empty());
    EXPECT_EQ(squirrel.gnawStart, -1.0);
}

} // namespace
