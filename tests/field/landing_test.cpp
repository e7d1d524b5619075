// Falling and landing of stones without models: test cadence, long frames, stones outside the grid,
// reseeding.

#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "tests/field/grid_check.hpp"
#include "tests/field/stone_steps.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

namespace {

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
