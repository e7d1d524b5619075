// The five stone classes: their constants, quarter turns and the factory that picks them.

#include "field/burger.hpp"
#include "field/carrot.hpp"
#include "field/cherry.hpp"
#include "field/french_fries.hpp"
#include "field/mushroom.hpp"
#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "field/stone_factory.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <typeinfo>

using namespace vosk::scene;

namespace {

void expectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance = 0.001f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

struct StoneClass {
    int r;
    const std::type_info& type;
    char symbol;
};

const StoneClass stoneClasses[] = {{0, typeid(Burger), 'B'}, {1, typeid(FrenchFries), 'F'},
                                   {2, typeid(Cherry), 'C'}, {3, typeid(Carrot), 'C'},
                                   {4, typeid(Mushroom), 'C'}};

TEST(Stones, FactoryPicksTheClassByRemainder)
{
    for (const StoneClass& c : stoneClasses) {
        for (int r : {c.r, c.r + 5, c.r + 10, 1000000000 + c.r}) {
            const std::shared_ptr<Food> stone = makeStone(r);
            ASSERT_NE(stone, nullptr);
            const Food& food = *stone;
            EXPECT_EQ(typeid(food), c.type) << "r = " << r;
            EXPECT_EQ(stone->symbol(), c.symbol);
        }
    }
}

TEST(Stones, FourQuarterTurnsRestoreShapeAndOffset)
{
    for (const StoneClass& c : stoneClasses) {
        for (bool aboutX : {true, false}) {
            SCOPED_TRACE(std::string(c.type.name()) + (aboutX ? " about x" : " about z"));
            const std::shared_ptr<Food> stone = makeStone(c.r);
            const glm::mat4 unturned = stone->modelMatrix;
            for (int turn = 0; turn < 4; ++turn)
                aboutX ? stone->rotateAboutX() : stone->rotateAboutZ();
            ASSERT_EQ(stone->shape.size(), stone->baseShape.size());
            for (std::size_t i = 0; i < stone->shape.size(); ++i)
                expectNear(stone->shape[i], stone->baseShape[i]);
            expectNear(stone->offsetFromPivot, stone->baseDrawOffset());
            for (int column = 0; column < 3; ++column)
                expectNear(glm::vec3(stone->modelMatrix[column]), glm::vec3(unturned[column]));
        }
    }
}

TEST(Stones, QuarterTurnsFollowTheRightHand)
{
    FrenchFries aboutZ; // upright bar, turned about z around (0, 150, 0): it lies along -x
    aboutZ.rotateAboutZ();
    const std::vector<glm::vec3> alongX{{0, 0, 0}, {-100, 0, 0}, {-200, 0, 0}, {100, 0, 0}};
    for (std::size_t i = 0; i < alongX.size(); ++i)
        expectNear(aboutZ.shape[i], alongX[i]);
    expectNear(aboutZ.offsetFromPivot, glm::vec3(150, 50, 0));
    expectNear(glm::vec3(aboutZ.modelMatrix[1]), glm::vec3(-50, 0, 0)); // scale, then the turn

    FrenchFries aboutX; // turned about x it lies along +z
    aboutX.rotateAboutX();
    const std::vector<glm::vec3> alongZ{{0, 0, 0}, {0, 0, 100}, {0, 0, 200}, {0, 0, -100}};
    for (std::size_t i = 0; i < alongZ.size(); ++i)
        expectNear(aboutX.shape[i], alongZ[i]);
    expectNear(aboutX.offsetFromPivot, glm::vec3(0, 50, -150));
    expectNear(glm::vec3(aboutX.modelMatrix[1]), glm::vec3(0, 0, 51));
    EXPECT_EQ(aboutX.baseShape[1], glm::vec3(0, 100, 0)); // turns never touch the unturned cells
}

TEST(Stones, NewStonesAtTheSpawnPointFillTheirColumns)
{
    Playfield field;
    const auto cellsOf = [&field](int r) {
        return StoneController(field, makeStone(r), StoneController::spawnPoint).cells;
    };
    EXPECT_EQ(cellsOf(1), (std::vector<glm::vec3>{{400, 1000, 400}, {400, 1100, 400}, {400, 1200, 400},
                                                   {400, 900, 400}}));
    EXPECT_EQ(cellsOf(3), (std::vector<glm::vec3>{{400, 1000, 400}, {500, 1000, 500}, {400, 1000, 500},
                                                   {400, 1000, 300}}));
    EXPECT_EQ(cellsOf(0), (std::vector<glm::vec3>{{400, 1000, 400}, {400, 1000, 500}, {400, 1100, 400},
                                                   {400, 1100, 500}, {500, 1000, 400}, {500, 1000, 500},
                                                   {500, 1100, 400}, {500, 1100, 500}}));
    EXPECT_EQ(cellsOf(2), (std::vector<glm::vec3>{{400, 1000, 400}, {400, 1100, 400}, {400, 1100, 500},
                                                   {400, 1000, 300}}));
    EXPECT_EQ(cellsOf(4), (std::vector<glm::vec3>{{400, 1000, 400}, {400, 1000, 300}, {400, 1000, 500},
                                                   {400, 1100, 400}}));
}

} // namespace
