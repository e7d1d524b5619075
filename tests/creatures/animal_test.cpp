// Headings toward the target and walking speeds of both creature kinds.

#include "creatures/lucanus_cervus.hpp"
#include "creatures/squirrel.hpp"
#include "tests/creatures/creature_helpers.hpp"

#include <memory>

namespace {

const glm::vec3 chest(700.0f, 0.0f, 700.0f);

TEST(Animal, TurnsTowardTheChestFromTheDesignedSpawnPoints)
{
    std::unique_ptr<LucanusCervus> beetle;
    EXPECT_EQ(makeCreature(beetle, {0, 0, 0}, chest), "HAPPENS");
    expectNear(beetle->direction, glm::vec3(0.70710677f, 0.0f, 0.70710677f), 1e-6f);
    expectNear(headingOf(*beetle), beetle->direction, 1e-5f);

    EXPECT_EQ(makeCreature(beetle, {2100, 0, 700}, chest), "");
    expectNear(headingOf(*beetle), glm::vec3(-1.0f, 0.0f, 0.0f), 1e-6f);

    EXPECT_EQ(makeCreature(beetle, {700, 0, 0}, chest), "");
    expectNear(headingOf(*beetle), glm::vec3(0.0f, 0.0f, 1.0f), 1e-6f);
}

TEST(Animal, HeadsForTheTargetFromEveryQuadrant)
{
    const glm::vec3 starts[] = {{2100, 0, 0},    {2100, 0, 2099}, {0, 0, 2099},   {0, 0, 1},
                                {1234, 0, 2100}, {5, 0, 2100},    {700, 0, 2100}, {2100, 0, 700.5f},
                                {0, 0, 700},     {1500, 0, 0},    {650, 0, 0}};
    for (const glm::vec3& start : starts) {
        std::unique_ptr<Squirrel> squirrel;
        const std::string trace = makeCreature(squirrel, start, chest);
        const glm::vec3 toChest = glm::normalize(chest - start);
        expectNear(squirrel->direction, toChest, 1e-6f);
        expectNear(headingOf(*squirrel), toChest, 1e-5f);
        const bool upperQuadrant = toChest.x > 0.0f && toChest.z > 0.0f;
        EXPECT_EQ(trace, upperQuadrant ? "HAPPENS" : "") << start.x << " " << start.z;
    }
}

TEST(Animal, BeetleWalks48AndSquirrel15Point4WorldUnitsPerSecond)
{
    Playfield field;
    std::unique_ptr<LucanusCervus> beetle;
    makeCreature(beetle, {0, 0, 0}, chest);
    EXPECT_FLOAT_EQ(beetle->speed, 3.0f);
    beetle->update(0.5f);
    beetle->update(0.5f);
    expectNear(beetle->position(), 48.0f * beetle->direction, 1e-3f);

    Squirrel squirrel(placedAt(2100, 0, 700), chest);
    EXPECT_FLOAT_EQ(squirrel.position().y, 175.0f); // the lifted body
    step(squirrel, field, 1.0f);
    expectNear(squirrel.position(), glm::vec3(2100.0f - 15.4f, 175.0f, 700.0f), 1e-3f);
    const glm::vec3 probe(squirrel.partMatrices[0][3]);
    expectNear(probe, glm::vec3(2100.0f - 15.4f - 7.0f, 0.0f, 700.0f), 1e-3f);
}

} // namespace
