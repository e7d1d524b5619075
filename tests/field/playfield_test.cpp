// The cell grid: layout, stone lookups, removal and the printed grid.

#include "field/playfield.hpp"
#include "tests/field/fake_food.hpp"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

namespace {

glm::mat4 at(float x, float y, float z)
{
    return glm::translate(glm::mat4(1.0f), glm::vec3(x, y, z));
}

const glm::vec3 noStone(-1.0f, -1.0f, -1.0f);

std::string printed(const Playfield& field)
{
    testing::internal::CaptureStdout();
    field.printGrid();
    return testing::internal::GetCapturedStdout();
}

// Marks the chest's surroundings and column as the world set-up does.
void markChest(Playfield& field, vosk::scene::Food& marker, vosk::scene::Food& chest)
{
    for (int x = 6; x <= 8; ++x)
        for (int z = 6; z <= 8; ++z)
            for (int level = 0; level < Playfield::levels; ++level)
                field.at(x, z, level) = (x == 7 && z == 7) ? &chest : &marker;
}

TEST(Playfield, CellIndexKeepsColumnsTogether)
{
    EXPECT_EQ(Playfield::cellIndex(0, 0, 0), 0);
    EXPECT_EQ(Playfield::cellIndex(0, 0, 9), 9);
    EXPECT_EQ(Playfield::cellIndex(0, 1, 0), 10);
    EXPECT_EQ(Playfield::cellIndex(1, 0, 0), 150);
    EXPECT_EQ(Playfield::cellIndex(7, 7, 0), 1120);
    EXPECT_EQ(Playfield::cellIndex(14, 14, 9), 2249);
    EXPECT_EQ(Playfield::cellCount, 2250);
}

TEST(Playfield, NewGridIsEmptyWithItsExtent)
{
    const Playfield field;
    for (const vosk::scene::Food* cell : field.cells)
        EXPECT_EQ(cell, nullptr);
    EXPECT_EQ(field.extent, glm::ivec3(1500, 1500, 1000));
    EXPECT_TRUE(field.landedStones.empty());
    EXPECT_TRUE(field.fallingStones.empty());
}

TEST(Playfield, StoneCellAtRoundsHalvesAwayFromZero)
{
    Playfield field;
    placeFood(field, {{3, 4, 0}});
    EXPECT_EQ(field.stoneCellAt(at(349.0f, 0.0f, 351.0f)), glm::vec3(3.0f, 4.0f, 0.0f));
    EXPECT_EQ(field.stoneCellAt(at(250.0f, 49.0f, 449.9f)), glm::vec3(3.0f, 4.0f, 0.0f));
    EXPECT_EQ(field.stoneCellAt(at(249.9f, 0.0f, 400.0f)), noStone);
    EXPECT_EQ(field.stoneCellAt(at(300.0f, 50.0f, 400.0f)), noStone); // level 1 is empty
}

TEST(Playfield, StoneCellAtOutsideTheGridIsNoStone)
{
    Playfield field;
    placeFood(field, {{14, 1, 0}, {0, 0, 0}, {0, 0, 9}});
    EXPECT_EQ(field.stoneCellAt(at(1450.0f, 0.0f, 100.0f)), noStone); // roundf(14.5) is 15
    EXPECT_EQ(field.stoneCellAt(at(1449.0f, 0.0f, 100.0f)), glm::vec3(14.0f, 1.0f, 0.0f));
    EXPECT_EQ(field.stoneCellAt(at(-50.0f, 0.0f, 0.0f)), noStone);    // roundf(-0.5) is -1
    EXPECT_EQ(field.stoneCellAt(at(-49.0f, 0.0f, 0.0f)), glm::vec3(0.0f));
    EXPECT_EQ(field.stoneCellAt(at(0.0f, 950.0f, 0.0f)), noStone);    // level 10
    EXPECT_EQ(field.stoneCellAt(at(0.0f, 949.0f, 0.0f)), glm::vec3(0.0f, 0.0f, 9.0f));
    EXPECT_EQ(field.stoneCellAt(at(0.0f, -60.0f, 0.0f)), noStone);
}

TEST(Playfield, ChestAndBlockedCellsAreNoStones)
{
    Playfield field;
    FakeFood marker('-');
    FakeFood chest('T');
    markChest(field, marker, chest);
    EXPECT_EQ(field.stoneCellAt(at(700.0f, 0.0f, 700.0f)), noStone);
    EXPECT_EQ(field.stoneCellAt(at(600.0f, 500.0f, 800.0f)), noStone);
    EXPECT_NE(field.at(6, 8, 5), nullptr);
}

TEST(Playfield, RemoveStoneEmptiesEveryCellOfThatStoneOnly)
{
    Playfield field;
    auto stone = placeFood(field, {{2, 2, 0}, {3, 2, 0}, {3, 3, 0}});
    auto other = placeFood(field, {{5, 5, 0}});
    field.removeStone(3, 0, 3);
    EXPECT_EQ(field.at(2, 2, 0), nullptr);
    EXPECT_EQ(field.at(3, 2, 0), nullptr);
    EXPECT_EQ(field.at(3, 3, 0), nullptr);
    EXPECT_EQ(field.at(5, 5, 0), other.get());
    ASSERT_EQ(field.landedStones.size(), 1u);
    EXPECT_EQ(field.landedStones[0], other);
    EXPECT_TRUE(stone->gridCells.empty());
}

TEST(Playfield, RemoveStoneOnAnEmptyCellChangesNothing)
{
    Playfield field;
    auto stone = placeFood(field, {{2, 2, 0}});
    field.removeStone(2, 1, 2);
    EXPECT_EQ(field.at(2, 2, 0), stone.get());
    EXPECT_EQ(field.landedStones.size(), 1u);
}

TEST(Playfield, RemoveStoneTakesOutEveryListing)
{
    Playfield field;
    auto stone = placeFood(field, {{2, 2, 0}});
    field.landedStones.push_back(stone); // landed twice after falling again
    testing::internal::CaptureStdout();
    field.removeStone(2, 0, 2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "not flyng");
    EXPECT_TRUE(field.landedStones.empty());
}

TEST(Playfield, FreshGridPrintsTenBlocksOfX)
{
    const Playfield field;
    std::string block;
    for (int row = 0; row < 15; ++row)
        block += std::string(15, 'X') + "\n";
    block += "\n\n";
    std::string expected;
    for (int level = 0; level < 10; ++level)
        expected += block;
    EXPECT_EQ(printed(field), expected);
}

TEST(Playfield, PrintGridShowsHighXAndHighZFirst)
{
    Playfield field;
    placeFood(field, {{14, 14, 0}}, 'F');
    placeFood(field, {{0, 14, 0}}, 'C');
    placeFood(field, {{1, 0, 1}}, 'B');
    const std::string text = printed(field);
    const std::string level0FirstRow = std::string("F").append(13, 'X').append("C\n");
    EXPECT_EQ(text.substr(0, 16), level0FirstRow);
    // Level 1 starts after 15 rows of 16 characters and two empty lines; its last row is z = 0.
    const std::size_t level1 = 15 * 16 + 2;
    const std::string level1LastRow = std::string(13, 'X') + "BX\n";
    EXPECT_EQ(text.substr(level1 + 14 * 16, 16), level1LastRow);
}

TEST(Playfield, PrintGridShowsTheChestColumns)
{
    Playfield field;
    FakeFood marker('-');
    FakeFood chest('T');
    markChest(field, marker, chest);
    const std::string text = printed(field);
    const std::string chestRow = std::string(6, 'X') + "-T-" + std::string(6, 'X') + "\n";
    const std::string sideRow = std::string(6, 'X') + "---" + std::string(6, 'X') + "\n";
    for (int level = 0; level < 10; ++level) {
        const std::size_t start = level * (15 * 16 + 2);
        EXPECT_EQ(text.substr(start + 6 * 16, 16), sideRow);  // z = 8
        EXPECT_EQ(text.substr(start + 7 * 16, 16), chestRow); // z = 7
        EXPECT_EQ(text.substr(start + 8 * 16, 16), sideRow);  // z = 6
    }
}

} // namespace
