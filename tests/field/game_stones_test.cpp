// Landing, steering and falling again with the game's own stone classes, whose models need GL.

#include "field/burger.hpp"
#include "field/carrot.hpp"
#include "field/french_fries.hpp"
#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "tests/field/grid_check.hpp"
#include "tests/field/stone_steps.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string printed(const Playfield& field)
{
    testing::internal::CaptureStdout();
    field.printGrid();
    return testing::internal::GetCapturedStdout();
}

void expectNear(const glm::vec3& actual, const glm::vec3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 0.001f);
    EXPECT_NEAR(actual.y, expected.y, 0.001f);
    EXPECT_NEAR(actual.z, expected.z, 0.001f);
}

TEST(Landing, CarrotOverAnEmptyColumnReachesTheGround)
{
    for (const float speed : {StoneController::startBaseSpeed, StoneController::startFastSpeed}) {
        SCOPED_TRACE(speed);
        Playfield field;
        auto carrot = std::make_shared<vosk::scene::Carrot>();
        StoneController controller(field, carrot, StoneController::spawnPoint);
        controller.speed = speed;
        const float seconds = fallUntilLanded(controller);
        EXPECT_NEAR(seconds, 1000.0f / speed, 0.05f); // 26.8 s and 2.5 s
        const std::vector<glm::ivec3> cells{{4, 4, 0}, {5, 5, 0}, {4, 5, 0}, {4, 3, 0}};
        EXPECT_EQ(carrot->gridCells, cells);
        EXPECT_EQ(carrot->pivotCell, glm::ivec3(4, 4, 0));
        ASSERT_EQ(field.landedStones.size(), 1u);
        EXPECT_EQ(field.landedStones[0], carrot);
        expectGridConsistent(field);
    }
}

TEST(Landing, TraceNamesEachCellThenPrintsTheGrid)
{
    Playfield field;
    placeFood(field, {{4, 3, 8}}); // under the Carrot's last cell
    auto carrot = std::make_shared<vosk::scene::Carrot>();
    StoneController controller(field, carrot, StoneController::spawnPoint);
    testing::internal::CaptureStdout();
    controller.fall(2.8043f); // 104.6 units: every cell at y 895.4
    const std::string trace = testing::internal::GetCapturedStdout();
    const std::string cellTrace = "9ny895rounded";
    EXPECT_EQ(trace, "0HAHA" + cellTrace + cellTrace + cellTrace + cellTrace + printed(field) + "\n");
    EXPECT_EQ(field.at(5, 5, 9), carrot.get());
    EXPECT_EQ(printed(field).substr(9 * 242 + 9 * 16, 16), "XXXXXXXXXCCXXXX\n"); // level 9, z = 5
    EXPECT_FLOAT_EQ(controller.cells[0].y, 1000.0f - 37.3f * 2.8043f); // cells keep their unrounded height
}

TEST(Landing, CellsAboveTheTopOrInTakenCellsAreNotWritten)
{
    Playfield field;
    std::vector<glm::ivec3> column;
    for (int level = 0; level <= 8; ++level)
        column.push_back({4, 4, level});
    const auto pile = placeFood(field, column);
    auto fries = std::make_shared<vosk::scene::FrenchFries>();
    StoneController controller(field, fries, StoneController::spawnPoint);
    testing::internal::CaptureStdout();
    controller.fall(2.8043f); // cells at y 895.4, 995.4, 1095.4 and 795.4 (inside the pile)
    const std::string trace = testing::internal::GetCapturedStdout();
    const std::string cellsTrace = "0HAHA9ny895rounded10ny995rounded11ny1095rounded8ny795rounded";
    EXPECT_EQ(trace.substr(0, cellsTrace.size()), cellsTrace);
    EXPECT_EQ(fries->gridCells, (std::vector<glm::ivec3>{{4, 4, 9}}));
    EXPECT_EQ(field.at(4, 4, 8), pile.get());
    EXPECT_EQ(field.landedStones.back(), fries);
    expectGridConsistent(field);
}

TEST(Landing, NextUpdateSpawnsANewStoneAtTheSpawnPoint)
{
    Playfield field;
    auto first = std::make_shared<FakeFood>();
    StoneController controller(field, first, {400, 100, 400});
    controller.speed = controller.fastSpeed;
    testing::internal::CaptureStdout();
    controller.fall(0.3f);
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(controller.landed);
    controller.turnGuard = true;

    controller.update(0.0f);
    EXPECT_FALSE(controller.landed);
    EXPECT_NE(controller.stone, first);
    EXPECT_EQ(controller.cells[0], StoneController::spawnPoint);
    EXPECT_EQ(controller.cells.size(), controller.stone->shapeCells().size());
    EXPECT_EQ(controller.speed, 37.3f);
    EXPECT_EQ(controller.baseSpeed, 37.3f);
    EXPECT_EQ(controller.checkCountdown, 100.0f);
    EXPECT_FALSE(controller.turnGuard);
    EXPECT_EQ(controller.playfield, &field);
    EXPECT_EQ(field.landedStones.back(), first);
    EXPECT_EQ(field.at(4, 4, 0), first.get());

    controller.update(0.5f); // the new stone falls in the frame that made it
    EXPECT_FLOAT_EQ(controller.cells[0].y, 1000.0f - 37.3f * 0.5f);
}

TEST(Steering, MovesPastTheBordersAreRefusedAsAWhole)
{
    Playfield field;
    // Carrot cells at x 1300, 1400, 1300, 1300: one cell already stands at the far border.
    StoneController carrot(field, std::make_shared<vosk::scene::Carrot>(), {1300, 500, 700});
    const std::vector<glm::vec3> before = carrot.cells;
    EXPECT_EQ(moveTrace(carrot, 0, lowZCamera), "Move LEFT"); // the message comes before the test
    EXPECT_EQ(carrot.cells, before);
    moveTrace(carrot, 1, lowZCamera); // x - 100
    EXPECT_EQ(carrot.cells[1], glm::vec3(1300, 500, 800));

    StoneController corner = oneCell(field, {0, 500, 1400});
    moveTrace(corner, 1, lowZCamera); // x - 100
    moveTrace(corner, 3, lowZCamera); // z + 100
    EXPECT_EQ(corner.cells[0], glm::vec3(0, 500, 1400));
    moveTrace(corner, 2, lowZCamera); // z - 100
    EXPECT_EQ(corner.cells[0], glm::vec3(0, 500, 1300));
}

TEST(Steering, TurnsArePushedBackInsideTheField)
{
    Playfield field;
    StoneController fries(field, std::make_shared<vosk::scene::FrenchFries>(), {1400, 500, 700});
    fries.cells = {{1400, 500, 700}, {1300, 500, 700}, {1200, 500, 700}, {1500, 500, 700}};
    EXPECT_EQ(fries.overhang(0), 100);
    EXPECT_EQ(fries.overhang(2), 0);
    fries.cells = {{-250.5f, 0, 0}, {-100, 0, 0}};
    EXPECT_EQ(fries.overhang(0), -250);
    StoneController upright(field, std::make_shared<vosk::scene::FrenchFries>(), {1400, 500, 700});
    upright.rotateAboutZ(); // along x the cells would reach 1500
    const float expectedX[] = {1300, 1200, 1100, 1400};
    for (std::size_t i = 0; i < 4; ++i)
        expectNear(upright.cells[i], {expectedX[i], 500, 700});
}

TEST(Steering, TurnIntoAnOccupiedCellIsUndoneKeepingThePush)
{
    Playfield field;
    placeFood(field, {{11, 7, 5}});
    auto stone = std::make_shared<vosk::scene::FrenchFries>();
    StoneController fries(field, stone, {1400, 500, 700});
    fries.rotateAboutZ(); // lying along x it would reach x = 1100, level 5
    for (std::size_t i = 0; i < 4; ++i) {
        expectNear(stone->shape[i], stone->baseShape[i]);
        expectNear(fries.cells[i], glm::vec3(1200, 500, 700) + stone->baseShape[i]);
    }
    expectNear(stone->offsetFromPivot, stone->baseDrawOffset());
    EXPECT_FALSE(fries.turnGuard);

    StoneController free(field, std::make_shared<vosk::scene::FrenchFries>(), {300, 500, 300});
    free.rotateAboutZ();
    expectNear(free.cells[1], {200, 500, 300});
}

TEST(Steering, BurgerKeepsItsCellsWhenTurned)
{
    Playfield field;
    for (const glm::vec3 pivot : {glm::vec3(1300, 500, 1300), glm::vec3(0, 0, 0)}) {
        StoneController burger(field, std::make_shared<vosk::scene::Burger>(), pivot);
        const std::vector<glm::vec3> cells = burger.cells;
        burger.rotateAboutX();
        burger.rotateAboutZ();
        EXPECT_EQ(burger.cells, cells);
    }
}

TEST(ReleasedStones, ReleaseStartsFromThePivotEvenAboveTheGrid)
{
    Playfield field;
    std::vector<glm::ivec3> column;
    for (int level = 0; level <= 8; ++level)
        column.push_back({4, 4, level});
    placeFood(field, column);
    auto fries = std::make_shared<vosk::scene::FrenchFries>();
    StoneController controller(field, fries, {400, 1100, 400});
    testing::internal::CaptureStdout();
    controller.fall(2.8043f); // lowest cell at level 9 on the pile, pivot at level 10
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(fries->gridCells, (std::vector<glm::ivec3>{{4, 4, 9}}));

    removeTrace(field, 4, 0, 4);
    ASSERT_EQ(field.fallingStones.size(), 1u);
    EXPECT_EQ(field.fallingStones[0]->cells[0], glm::vec3(400, 1000, 400));
    EXPECT_EQ(field.fallingStones[0]->cells[3], glm::vec3(400, 900, 400));
    EXPECT_FALSE(fries->pivotCell.has_value());
}

} // namespace
