// Steering a falling stone without a model: camera-relative moves, unknown codes, blocked columns.

#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "tests/field/stone_steps.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

TEST(Steering, ArrowsMoveRelativeToTheCameraSide)
{
    struct Case {
        glm::vec3 camera;
        int direction;
        const char* message;
        glm::vec3 step;
    };
    const glm::vec3 up(0, 0, -100), bot(0, 0, 100), right(-100, 0, 0), left(100, 0, 0);
    const Case cases[] = {
        {lowXCamera, 0, "Move up", up},       {lowXCamera, 1, "Move bot", bot},
        {lowXCamera, 2, "Move right", right}, {lowXCamera, 3, "Move LEFT", left},
        {highZCamera, 0, "Move right", right}, {highZCamera, 1, "Move LEFT", left},
        {highZCamera, 2, "Move bot", bot},     {highZCamera, 3, "Move up", up},
        {highXCamera, 0, "Move bot", bot},     {highXCamera, 1, "Move up", up},
        {highXCamera, 2, "Move LEFT", left},   {highXCamera, 3, "Move right", right},
        {lowZCamera, 0, "Move LEFT", left},    {lowZCamera, 1, "Move right", right},
        {lowZCamera, 2, "Move up", up},        {lowZCamera, 3, "Move bot", bot},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.message) + " for code " + std::to_string(c.direction));
        Playfield field;
        StoneController controller = oneCell(field, {700, 500, 300});
        EXPECT_EQ(moveTrace(controller, c.direction, c.camera), c.message);
        EXPECT_EQ(controller.cells[0], glm::vec3(700, 500, 300) + c.step);
    }
}

TEST(Steering, CameraAboveADiagonalMovesNothing)
{
    Playfield field;
    StoneController controller = oneCell(field, {700, 500, 300});
    const glm::vec3 onDiagonals[] = {{500.4f, 300, 500.9f}, {1000, 300, 500}, {-80, 0, -80}};
    for (const glm::vec3& camera : onDiagonals)
        for (int direction : {0, 1, 2, 3, 9}) {
            EXPECT_EQ(moveTrace(controller, direction, camera), "");
            EXPECT_EQ(controller.cells[0], glm::vec3(700, 500, 300));
        }
}

TEST(Steering, UnknownCodesAreReportedAndIgnored)
{
    Playfield field;
    StoneController controller = oneCell(field, {700, 500, 300});
    EXPECT_EQ(moveTrace(controller, 4, lowZCamera), "ERROR, integer 4 is not mapped as a direction");
    EXPECT_EQ(moveTrace(controller, -1, highXCamera), "ERROR, integer -1 is not mapped as a direction");
    EXPECT_EQ(controller.cells[0], glm::vec3(700, 500, 300));
}

TEST(Steering, OccupiedCellsInsideTheGridRefuseMoves)
{
    Playfield field;
    placeFood(field, {{6, 3, 0}, {6, 3, 9}}, '-');
    StoneController low = oneCell(field, {500, 20, 300});
    moveTrace(low, 0, lowZCamera); // toward x = 600, level 0
    EXPECT_EQ(low.cells[0].x, 500.0f);
    StoneController high = oneCell(field, {500, 949, 300});
    moveTrace(high, 0, lowZCamera); // level 9
    EXPECT_EQ(high.cells[0].x, 500.0f);
    StoneController above = oneCell(field, {500, 950, 300});
    moveTrace(above, 0, lowZCamera); // level 10 is not tested
    EXPECT_EQ(above.cells[0].x, 600.0f);
}

} // namespace
