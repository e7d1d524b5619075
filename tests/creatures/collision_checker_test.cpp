// The chest-reached and smash rules.

#include "creatures/collision_checker.hpp"
#include "creatures/lucanus_cervus.hpp"
#include "creatures/squirrel.hpp"
#include "field/stone_controller.hpp"
#include "tests/creatures/creature_helpers.hpp"
#include "tests/field/fake_food.hpp"

#include <memory>

namespace {

const glm::vec3 farAway(2000.0f, 0.0f, 1800.0f); // a target none of the creatures stands on

Animal& addBeetle(CreatureList& creatures, float x, float y, float z)
{
    std::unique_ptr<LucanusCervus> beetle;
    makeCreature(beetle, {x, y, z}, farAway);
    creatures.push_back(std::move(beetle));
    return *creatures.back();
}

// Heading along -x keeps the lifted body at exactly y = 175 (other headings round it slightly).
Animal& addSquirrel(CreatureList& creatures, float x, float z)
{
    std::unique_ptr<Squirrel> squirrel;
    makeCreature(squirrel, {x, 0, z}, {0, 0, z});
    creatures.push_back(std::move(squirrel));
    return *creatures.back();
}

// A falling stone whose cells lie at the given world positions.
StoneController stoneWithCells(Playfield& field, std::vector<glm::vec3> cells)
{
    StoneController controller(field, std::make_shared<FakeFood>(), cells[0]);
    controller.cells = std::move(cells);
    return controller;
}

TEST(CollisionChecker, ChestColumnStartsAtHalfACellBeforeTheCentre)
{
    CreatureList creatures;
    CollisionChecker checker(creatures);
    EXPECT_FALSE(checker.chestReached()); // nobody there at all
    Animal& outside = addBeetle(creatures, 649.9f, 0, 700);
    EXPECT_EQ(traceOf([&] { EXPECT_FALSE(checker.chestReached()); }), "");
    EXPECT_FALSE(outside.removed);

    Animal& inside = addBeetle(creatures, 650.0f, 0, 749.9f);
    EXPECT_EQ(traceOf([&] { EXPECT_TRUE(checker.chestReached()); }), "LIFEPOINTS--");
    EXPECT_TRUE(inside.removed);
    EXPECT_FALSE(outside.removed);
}

TEST(CollisionChecker, OneCreatureAtTheChestPerCallWhateverItsHeight)
{
    CreatureList creatures;
    CollisionChecker checker(creatures);
    Animal& squirrel = addSquirrel(creatures, 700, 700); // its point lies 175 units up
    Animal& beetle = addBeetle(creatures, 690, 0, 710);
    EXPECT_EQ(traceOf([&] { EXPECT_TRUE(checker.chestReached()); }), "LIFEPOINTS--");
    EXPECT_TRUE(squirrel.removed);
    EXPECT_FALSE(beetle.removed);

    creatures.erase(creatures.begin()); // the game logic drops the charged one
    EXPECT_EQ(traceOf([&] { EXPECT_TRUE(checker.chestReached()); }), "LIFEPOINTS--");
    EXPECT_TRUE(beetle.removed);
}

TEST(CollisionChecker, StoneHitsABeetleAt30AndASquirrelAt205)
{
    Playfield field;
    CreatureList creatures;
    CollisionChecker checker(creatures);
    Animal& beetle = addBeetle(creatures, 310, 0, 420);
    Animal& squirrel = addSquirrel(creatures, 1000, 1000);

    checker.smash(stoneWithCells(field, {{300, 30.01f, 400}, {1000, 205.01f, 1000}, {400, 0, 400}}));
    EXPECT_FALSE(beetle.removed);
    EXPECT_FALSE(squirrel.removed);
    EXPECT_EQ(checker.effect, nullptr);

    checker.smash(stoneWithCells(field, {{300, 130, 400}, {300, 30, 400}, {1000, 205.01f, 1000}}));
    EXPECT_TRUE(beetle.removed);
    EXPECT_FALSE(squirrel.removed);
    ASSERT_NE(checker.effect, nullptr);
    EXPECT_EQ(checker.effect->emitter, glm::vec3(310, 0, 420));
    EXPECT_EQ(checker.effect->countdown, 1500); // its buffers are made
    EXPECT_NE(checker.effect->vertexArray.get(), 0u);

    checker.smash(stoneWithCells(field, {{1000, 205, 1000}}));
    EXPECT_TRUE(squirrel.removed);
}

TEST(CollisionChecker, TheLastCreatureHitKeepsTheBurst)
{
    Playfield field;
    CreatureList creatures;
    CollisionChecker checker(creatures);
    addBeetle(creatures, 249.9f, 0, 300.7f);
    addBeetle(creatures, 1000, 0, 1000);
    addBeetle(creatures, 151.5f, 0, 349.5f);
    checker.smash(stoneWithCells(field, {{200, 0, 300}, {300, 0, 300}}));
    EXPECT_TRUE(creatures[0]->removed);
    EXPECT_FALSE(creatures[1]->removed);
    EXPECT_TRUE(creatures[2]->removed);
    ASSERT_NE(checker.effect, nullptr);
    EXPECT_EQ(checker.effect->emitter, glm::vec3(151, 0, 349));

    // Nobody under the stone: the old burst stays.
    const ParticleSystem* burst = checker.effect.get();
    checker.smash(stoneWithCells(field, {{1400, 0, 0}}));
    EXPECT_EQ(checker.effect.get(), burst);
}

} // namespace
