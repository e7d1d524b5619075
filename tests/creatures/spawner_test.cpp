// Spawned creatures and the mass spawn.

#include "creatures/lucanus_cervus.hpp"
#include "creatures/spawn_area.hpp"
#include "creatures/spawner.hpp"
#include "creatures/squirrel.hpp"
#include "tests/creatures/creature_helpers.hpp"

#include <sstream>
#include <vector>

namespace {

std::string spawnLine(const glm::vec3& p)
{
    std::ostringstream line;
    line << "Spawning on " << p.x << "|" << p.y << "|" << p.z << "\n";
    return line.str();
}

TEST(Spawner, FirstBeetleAfterTenSecondsAnnouncedAtItsRimPoint)
{
    SpawnArea area;
    CreatureList creatures;
    vosk::Spawner spawner(area, creatures, false);
    spawner.enabled = true;
    spawner.nextDelay = 10.0f;
    spawner.delayDistribution = std::normal_distribution<float>(15.0f, 4.0f);
    for (int i = 0; i < 39; ++i)
        spawner.update(0.25f);
    EXPECT_TRUE(creatures.empty());

    std::srand(7);
    const glm::vec3 rim = area.randomRimPoint();
    std::srand(7);
    const std::string trace = traceOf([&] { spawner.update(0.25f); });
    ASSERT_EQ(creatures.size(), 1u);
    const auto* beetle = dynamic_cast<LucanusCervus*>(creatures[0].get());
    ASSERT_NE(beetle, nullptr);
    EXPECT_EQ(beetle->position(), rim);
    EXPECT_EQ(beetle->target, glm::vec3(700.0f, 0.0f, 700.0f));
    const bool happens = rim.x < 700.0f && rim.z < 700.0f;
    EXPECT_EQ(trace, spawnLine(rim) + (happens ? "HAPPENS" : ""));
}

TEST(Spawner, OnEventAddsASquirrelWithoutTouchingTheTimer)
{
    SpawnArea area;
    CreatureList creatures;
    vosk::Spawner spawner(area, creatures, true);
    spawner.enabled = true;
    spawner.nextDelay = 14.0f;
    spawner.elapsed = 3.0f;
    const std::mt19937 engineBefore = spawner.engine;
    traceOf([&] { spawner.onEvent(); });
    ASSERT_EQ(creatures.size(), 1u);
    EXPECT_NE(dynamic_cast<Squirrel*>(creatures[0].get()), nullptr);
    EXPECT_EQ(spawner.elapsed, 3.0f);
    EXPECT_EQ(spawner.nextDelay, 14.0f);
    EXPECT_TRUE(spawner.engine == engineBefore);
}

TEST(Spawner, MassSpawnPlacesTheRingsInOrder)
{
    SpawnArea area;
    CreatureList creatures;
    vosk::Spawner spawner(area, creatures, true);
    traceOf([&] { LucanusCervus warmUp(placedAt(0, 0, 0), glm::vec3(1, 0, 0)); }); // models cached
    const std::string trace = traceOf([&] { spawner.massSpawn(); });

    struct Expected {
        glm::vec3 position, target;
    };
    const glm::vec3 chest(700, 0, 700), side(400, 0, 400);
    std::vector<Expected> expected;
    std::string expectedTrace;
    for (int i = 0; i <= 1450; i += 50) {
        expected.push_back({{float(i), 0, -400}, chest});
        expected.push_back({{float(i), 0, 1900}, chest});
        expectedTrace += spawnLine({float(i), 0, -400}) + (i < 700 ? "HAPPENS" : "");
    }
    for (int j = -400; j <= 1800; j += 100) {
        expected.push_back({{-400, 0, float(j)}, side});
        expected.push_back({{1900, 0, float(j)}, side});
        expectedTrace += j < 400 ? "HAPPENS" : "";
    }
    ASSERT_EQ(creatures.size(), 106u);
    for (std::size_t k = 0; k < expected.size(); ++k) {
        ASSERT_NE(dynamic_cast<LucanusCervus*>(creatures[k].get()), nullptr);
        EXPECT_EQ(creatures[k]->position(), expected[k].position) << k;
        EXPECT_EQ(creatures[k]->target, expected[k].target) << k;
    }
    EXPECT_EQ(trace, expectedTrace);
    EXPECT_EQ(spawner.elapsed, 0.0f);
}

} // namespace
