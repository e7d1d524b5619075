// Stones that fall again when the stone under them is taken away: support, cascade, landing again.

#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "tests/field/grid_check.hpp"
#include "tests/field/stone_steps.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

constexpr std::size_t gridTextLength = 10 * (15 * 16 + 2);

TEST(ReleasedStones, PileFallsTopFirstAndLandsAgainInItsFormerOrder)
{
    Playfield field;
    const auto bottom = placeFood(field, {{2, 2, 0}});
    const auto middle = placeFood(field, {{2, 2, 1}});
    const auto top = placeFood(field, {{2, 2, 2}});

    EXPECT_EQ(removeTrace(field, 2, 0, 2), "not flyng"); // only above the top stone
    ASSERT_EQ(field.fallingStones.size(), 2u);
    EXPECT_EQ(field.fallingStones[0]->stone, top); // released first, appended first
    EXPECT_EQ(field.fallingStones[1]->stone, middle);
    EXPECT_EQ(field.fallingStones[0]->cells[0], glm::vec3(200, 200, 200));
    EXPECT_EQ(field.fallingStones[1]->cells[0], glm::vec3(200, 100, 200));
    for (const auto& controller : field.fallingStones) {
        EXPECT_EQ(controller->speed, 100.0f);
        EXPECT_EQ(controller->baseSpeed, 100.0f);
        EXPECT_TRUE(controller->stone->gridCells.empty());
    }
    EXPECT_EQ(field.landedStones, (std::vector<std::shared_ptr<vosk::scene::Food>>{middle, top}));
    EXPECT_EQ(field.at(2, 2, 1), nullptr);
    EXPECT_EQ(field.at(2, 2, 2), nullptr);

    testing::internal::CaptureStdout();
    for (int frame = 0; frame < 11; ++frame) // 10 units a frame; the test comes after 110
        field.update(0.1f);
    const std::string trace = testing::internal::GetCapturedStdout();
    // The lower stone is advanced first, so the upper one finds it in the grid in the same frame.
    EXPECT_EQ(trace.substr(0, 18), "0HAHA0ny-10rounded");
    EXPECT_EQ(trace.substr(18 + gridTextLength, 18), "\n0HAHA1ny90rounded");
    EXPECT_EQ(trace.size(), 2 * gridTextLength + 18 + 17 + 2);
    EXPECT_TRUE(field.fallingStones.empty());
    EXPECT_EQ(middle->gridCells, (std::vector<glm::ivec3>{{2, 2, 0}}));
    EXPECT_EQ(top->gridCells, (std::vector<glm::ivec3>{{2, 2, 1}}));
    EXPECT_EQ(field.landedStones,
              (std::vector<std::shared_ptr<vosk::scene::Food>>{middle, top, middle, top})); // listed twice
    EXPECT_TRUE(bottom->gridCells.empty());
    expectGridConsistent(field);
}

TEST(ReleasedStones, LongFramesLandOnTheGroundOrOnTheStoneBelow)
{
    // 50 and 200 units a frame at the released stones' 100 units per second.
    for (const float dt : {0.5f, 2.0f}) {
        for (const bool onStone : {false, true}) {
            SCOPED_TRACE(testing::Message() << "step " << dt << (onStone ? " on a stone" : " on the ground"));
            Playfield field;
            const int floor = onStone ? 1 : 0;
            if (onStone)
                placeFood(field, {{2, 2, 0}});
            placeFood(field, {{2, 2, floor}, {2, 2, floor + 1}, {2, 2, floor + 2}});
            const auto top = placeFood(field, {{2, 2, floor + 3}});
            removeTrace(field, 2, floor, 2);
            ASSERT_EQ(field.fallingStones.size(), 1u);
            testing::internal::CaptureStdout();
            for (int frame = 0; frame < 20 && !field.fallingStones.empty(); ++frame)
                field.update(dt);
            testing::internal::GetCapturedStdout();
            EXPECT_TRUE(field.fallingStones.empty());
            EXPECT_EQ(top->gridCells, (std::vector<glm::ivec3>{{2, 2, floor}}));
            expectGridConsistent(field);
        }
    }
}

TEST(ReleasedStones, StoneRestingPartlyOnAnotherStays)
{
    Playfield field;
    placeFood(field, {{2, 2, 0}});
    placeFood(field, {{3, 2, 0}});
    const auto bridge = placeFood(field, {{2, 2, 1}, {3, 2, 1}});
    EXPECT_EQ(removeTrace(field, 2, 0, 2), "");
    EXPECT_TRUE(field.fallingStones.empty());
    EXPECT_EQ(field.at(2, 2, 1), bridge.get());
    expectGridConsistent(field);
}

TEST(ReleasedStones, StoneOnTheGroundNeverFalls)
{
    Playfield field;
    placeFood(field, {{2, 2, 0}});
    // Hangs over the removed stone; its ground cell is listed last, after two cells that find nothing.
    const auto hook = placeFood(field, {{2, 2, 1}, {3, 2, 1}, {3, 2, 0}});
    removeTrace(field, 2, 0, 2);
    EXPECT_TRUE(field.fallingStones.empty());
    EXPECT_EQ(hook->gridCells.size(), 3u);
    EXPECT_EQ(field.at(2, 2, 1), hook.get());
}

TEST(ReleasedStones, EachFreeCellOnTopIsReported)
{
    Playfield field;
    placeFood(field, {{5, 5, 0}, {6, 5, 0}, {5, 5, 1}}); // two cells with nothing above, one under its own
    EXPECT_EQ(removeTrace(field, 6, 0, 5), "not flyngnot flyng");
    placeFood(field, {{9, 9, 8}, {9, 9, 9}}); // nothing exists above level 9
    EXPECT_EQ(removeTrace(field, 9, 9, 9), "not flyng");
}

TEST(ReleasedStones, ObjectWithoutGridCellsAboveARemovedStoneStays)
{
    Playfield field;
    placeFood(field, {{7, 2, 0}});
    FakeFood marker('-'); // written by hand like the chest's surroundings: it lists no cells
    field.at(7, 2, 1) = &marker;
    EXPECT_EQ(removeTrace(field, 7, 0, 2), "");
    EXPECT_EQ(field.at(7, 2, 1), &marker);
    EXPECT_TRUE(field.fallingStones.empty());
}

TEST(ReleasedStones, ClearingEveryLandedStoneSkipsSecondListings)
{
    Playfield field;
    const auto twice = placeFood(field, {{1, 1, 0}});
    field.landedStones.push_back(twice);
    placeFood(field, {{3, 3, 0}, {3, 4, 0}});
    const auto snapshot = field.landedStones; // as the key handler walks them
    testing::internal::CaptureStdout();
    for (const auto& stone : snapshot)
        if (!stone->gridCells.empty()) {
            const glm::ivec3 cell = stone->gridCells.front();
            field.removeStone(cell.x, cell.z, cell.y);
        }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "not flyngnot flyngnot flyng");
    EXPECT_TRUE(field.landedStones.empty());
    for (const vosk::scene::Food* cell : field.cells)
        EXPECT_EQ(cell, nullptr);
}

} // namespace
