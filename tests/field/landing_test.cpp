// Falling and landing: test cadence, the landing trace, grid writes at the top, the next stone.

#include "field/carrot.hpp"
#include "field/french_fries.hpp"
#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "tests/field/fake_food.hpp"
#include "tests/field/grid_check.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

namespace {

constexpr float frame = 1.0f / 60.0f; // seconds

std::string printed(const Playfield& field)
{
    testing::internal::CaptureStdout();
    field.printGrid();
    return testing::internal::GetCapturedStdout();
}

// Lets the controller fall frame by frame until it lands; returns the seconds it took.
float fallUntilLanded(StoneController& controller)
{
    float seconds = 0.0f;
    testing::internal::CaptureStdout();
    while (!controller.landed && seconds < 100.0f) {
        controller.fall(frame);
        seconds += frame;
    }
    testing::internal::GetCapturedStdout();
    return seconds;
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

TEST(Landing, LongFramesLandOnTheGroundOrOnTheStoneBelow)
{
    // Space held: 200 and 800 units a frame, once two and once eight levels at a time.
    for (const float dt : {0.5f, 2.0f}) {
        for (const bool onStone : {false, true}) {
            SCOPED_TRACE(testing::Message() << "step " << dt << (onStone ? " on a stone" : " on the ground"));
            Playfield field;
            if (onStone)
                placeFood(field, {{4, 4, 0}});
            auto stone = std::make_shared<FakeFood>('C', std::vector<glm::vec3>{{0, 0, 0}, {0, 100, 0}});
            StoneController controller(field, stone, StoneController::spawnPoint);
            controller.speed = controller.fastSpeed;
            testing::internal::CaptureStdout();
            for (int frame = 0; frame < 10 && !controller.landed; ++frame)
                controller.fall(dt);
            testing::internal::GetCapturedStdout();
            ASSERT_TRUE(controller.landed);
            const int level = onStone ? 1 : 0;
            EXPECT_EQ(stone->gridCells, (std::vector<glm::ivec3>{{4, 4, level}, {4, 4, level + 1}}));
            EXPECT_NEAR(controller.cells[0].y, 100.0f * level, 50.0f);
            expectGridConsistent(field);
        }
    }
}

TEST(Landing, StoneComesToRestOneLevelAboveALandedStone)
{
    Playfield field;
    placeFood(field, {{4, 4, 0}});
    auto stone = std::make_shared<FakeFood>('C');
    StoneController controller(field, stone, StoneController::spawnPoint);
    fallUntilLanded(controller);
    EXPECT_NEAR(controller.cells[0].y, 100.0f, 1.0f); // the test when the pivot passes 100
    EXPECT_EQ(stone->gridCells, (std::vector<glm::ivec3>{{4, 4, 1}}));
    expectGridConsistent(field);
}

TEST(Landing, TestsComeAboutEveryHundredUnitsAndWriteALineBreak)
{
    Playfield field;
    StoneController controller(field, std::make_shared<FakeFood>(), {400, 900, 400});
    testing::internal::CaptureStdout();
    controller.fall(2.0f); // 74.6 units: no test yet
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_NEAR(controller.checkCountdown, 25.4f, 0.001f);
    testing::internal::CaptureStdout();
    controller.fall(1.0f); // pivot at 788.1: a test, then the next one 88 units further down
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\n");
    EXPECT_EQ(controller.checkCountdown, 88.0f);
    EXPECT_FALSE(controller.landed);
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

TEST(Landing, StoneWithNoCellInsideTheGridIsListedButNotWritten)
{
    Playfield field;
    StoneController controller(field, std::make_shared<FakeFood>(), {1400, 1100, 1400});
    testing::internal::CaptureStdout();
    controller.land();
    controller.cells[0] = {-100, -200, 2000};
    controller.landed = false;
    controller.land();
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(controller.stone->gridCells.empty());
    EXPECT_EQ(field.landedStones.size(), 2u);
    for (const vosk::scene::Food* cell : field.cells)
        EXPECT_EQ(cell, nullptr);
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

TEST(Landing, EveryControllerReseedsTheRandomGenerator)
{
    Playfield field;
    bool sameSequence = false;
    for (int attempt = 0; attempt < 3 && !sameSequence; ++attempt) { // the clock may tick in between
        std::srand(12345);
        StoneController controller(field, std::make_shared<FakeFood>(), StoneController::spawnPoint);
        const int afterConstruction = std::rand();
        std::srand(static_cast<unsigned>(std::time(nullptr)));
        sameSequence = afterConstruction == std::rand();
    }
    EXPECT_TRUE(sameSequence);
}

} // namespace
