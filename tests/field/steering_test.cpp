// Steering the falling stone: camera-relative moves, borders, blocked columns and quarter turns.

#include "field/carrot.hpp"
#include "field/french_fries.hpp"
#include "field/burger.hpp"
#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "tests/field/fake_food.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const glm::vec3 lowXCamera(-1000.0f, 300.0f, 750.0f);
const glm::vec3 highZCamera(750.0f, 300.0f, 2500.0f);
const glm::vec3 highXCamera(2500.0f, 300.0f, 750.0f);
const glm::vec3 lowZCamera(750.0f, 300.0f, -1000.0f);

// A one-cell stone at the given world position.
StoneController oneCell(Playfield& field, glm::vec3 at)
{
    return StoneController(field, std::make_shared<FakeFood>(), at);
}

std::string moveTrace(StoneController& controller, int direction, const glm::vec3& camera)
{
    testing::internal::CaptureStdout();
    controller.move(direction, camera);
    return testing::internal::GetCapturedStdout();
}

void expectNear(const glm::vec3& actual, const glm::vec3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 0.001f);
    EXPECT_NEAR(actual.y, expected.y, 0.001f);
    EXPECT_NEAR(actual.z, expected.z, 0.001f);
}

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

} // namespace
