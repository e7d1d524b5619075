// Where the falling stone will come to rest: the controller's forecast against the stone really falling.

#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "tests/field/all_stones.hpp"
#include "tests/field/fake_food.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace glm {
// Cells as (x, z, level) in failure messages.
inline void PrintTo(const ivec3& cell, std::ostream* out)
{
    *out << '(' << cell.x << ", " << cell.y << ", " << cell.z << ')';
}
} // namespace glm

namespace {

// Every orientation a player can reach: up to three turns about x, one about z, three more about x.
std::vector<std::string> turnSequences()
{
    std::vector<std::string> sequences;
    for (int first = 0; first < 4; ++first)
        for (int middle = 0; middle < 2; ++middle)
            for (int last = 0; last < 4; ++last)
                sequences.push_back(std::string(first, 'x') + std::string(middle, 'c') + std::string(last, 'x'));
    return sequences;
}

// What stands on the field before the stone comes: nothing, or columns of landed cells.
struct Ground {
    const char* name;
    std::function<int(int x, int z)> height; // landed cells in column (x, z)
};

const Ground grounds[] = {
    {"flat ground", [](int, int) { return 0; }},
    {"uneven stacks", [](int x, int z) { return (x * 7 + z * 3) % 5; }},
    {"a tall pillar", [](int x, int z) { return x == 4 && z == 4 ? 7 : 0; }},
    {"a full column", [](int x, int z) { return x == 5 && z == 4 ? Playfield::levels : 0; }},
};

void build(Playfield& field, const Ground& ground)
{
    for (int x = 0; x < Playfield::columns; ++x)
        for (int z = 0; z < Playfield::columns; ++z) {
            std::vector<glm::ivec3> column;
            for (int level = 0; level < ground.height(x, z); ++level)
                column.push_back({x, z, level});
            if (!column.empty())
                placeFood(field, column);
        }
}

std::vector<glm::ivec3> roundedCells(const StoneController& controller)
{
    std::vector<glm::ivec3> cells;
    for (const glm::vec3& cell : controller.cells)
        cells.push_back({static_cast<int>(std::roundf(cell.x / 100.0f)), static_cast<int>(std::roundf(cell.z / 100.0f)),
                         static_cast<int>(std::roundf(cell.y / 100.0f))});
    return cells;
}

void turn(StoneController& controller, const std::string& sequence)
{
    for (const char t : sequence) {
        if (t == 'x')
            controller.rotateAboutX();
        else
            controller.rotateAboutZ();
    }
}

// Falls frame by frame at the given speed; false when the stone landed before the frames ran out.
bool fallFrames(StoneController& controller, float speed, float frame, int frames)
{
    controller.speed = speed;
    for (int i = 0; i < frames && !controller.landed; ++i)
        controller.fall(frame);
    return !controller.landed;
}

struct Drop {
    const char* name;
    float frame;     // seconds per frame while Space is held
    int slowFrames;  // frames at the normal speed before the forecast is taken
    glm::vec3 pivot; // where the stone starts
};

const Drop drops[] = {
    {"from the spawn point at 60 frames a second", 1.0f / 60.0f, 0, StoneController::spawnPoint},
    {"after a while, at 8 frames a second", 1.0f / 8.0f, 200, StoneController::spawnPoint},
    {"near a corner, at the longest frame", 0.25f, 37, {1400.0f, 1000.0f, 0.0f}},
    {"beside the pillar, just after a test", 1.0f / 30.0f, 81, {300.0f, 1000.0f, 500.0f}},
};

TEST(LandingCells, ForecastIsWhereTheStoneLandsForEveryShapeTurnAndGround)
{
    int compared = 0;
    testing::internal::CaptureStdout();
    for (const Ground& ground : grounds)
        for (const Drop& drop : drops)
            for (const StoneKind& shape : allStones)
                for (const std::string& sequence : turnSequences()) {
                    SCOPED_TRACE(testing::Message() << shape.name << " turned '" << sequence << "' on "
                                                    << ground.name << ", " << drop.name);
                    Playfield field;
                    build(field, ground);
                    StoneController controller(field, shape.make(), drop.pivot);
                    turn(controller, sequence);
                    if (!fallFrames(controller, controller.baseSpeed, 1.0f / 30.0f, drop.slowFrames))
                        continue; // came to rest before Space was pressed
                    const std::vector<glm::ivec3> forecast = controller.landingCells();
                    ASSERT_FALSE(fallFrames(controller, controller.fastSpeed, drop.frame, 100000));
                    EXPECT_EQ(forecast, roundedCells(controller));
                    ++compared;
                }
    testing::internal::GetCapturedStdout();
    EXPECT_GT(compared, 4 * 4 * 5 * 32 * 3 / 4); // most cases get a forecast before they land
}

TEST(LandingCells, ForecastFollowsMovesAndChangesNothing)
{
    Playfield field;
    placeFood(field, {{2, 4, 0}, {2, 4, 1}, {2, 4, 2}});
    auto fries = std::make_shared<vosk::scene::FrenchFries>(); // upright, from 100 below its pivot to 200 above
    StoneController controller(field, fries, StoneController::spawnPoint);
    EXPECT_EQ(controller.landingCells(), (std::vector<glm::ivec3>{{4, 4, 1}, {4, 4, 2}, {4, 4, 3}, {4, 4, 0}}));
    EXPECT_EQ(controller.cells[0], StoneController::spawnPoint);
    EXPECT_FALSE(controller.landed);
    EXPECT_TRUE(fries->gridCells.empty());

    const glm::vec3 lowXSide(-1000.0f, 300.0f, 750.0f); // the Down arrow moves by -100 in x
    testing::internal::CaptureStdout();
    controller.move(2, lowXSide);
    controller.move(2, lowXSide);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(controller.landingCells(), (std::vector<glm::ivec3>{{2, 4, 4}, {2, 4, 5}, {2, 4, 6}, {2, 4, 3}}));
}

} // namespace
