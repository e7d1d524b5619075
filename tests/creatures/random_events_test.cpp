// Spawn timers and rim points: the rules behind the spawners, without creatures.

#include "creatures/random_event_maker.hpp"
#include "creatures/spawn_area.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace {

class CountingEvents : public vosk::RandomEventMaker {
public:
    CountingEvents(float first, float mean, float deviation)
    {
        enabled = true;
        nextDelay = first;
        delayDistribution = std::normal_distribution<float>(mean, deviation);
    }
    void onEvent() override { ++fired; }
    int fired = 0;
};

// Updates with a constant step until the first event; returns the number of updates it took.
int updatesUntilFirstEvent(CountingEvents& events, float dt)
{
    int updates = 0;
    while (events.fired == 0 && updates < 10000) {
        events.update(dt);
        ++updates;
    }
    return updates;
}

TEST(RandomEventMaker, FiresAfterTheFirstDelayAndCarriesTheRemainder)
{
    CountingEvents beetles(10.0f, 15.0f, 4.0f);
    EXPECT_EQ(updatesUntilFirstEvent(beetles, 0.3f), 34); // 33 steps make 9.9 s
    EXPECT_NEAR(beetles.elapsed, 0.2f, 1e-4f);

    std::mt19937 engine;
    std::normal_distribution<float> standard(0.0f, 1.0f);
    EXPECT_NEAR(beetles.nextDelay, 15.0f + 4.0f * standard(engine), 1e-4f);

    CountingEvents squirrels(14.0f, 20.0f, 3.0f);
    EXPECT_EQ(updatesUntilFirstEvent(squirrels, 0.25f), 56); // exactly 14 s
    EXPECT_EQ(squirrels.elapsed, 0.0f);
}

TEST(RandomEventMaker, FiresOncePerUpdateHoweverLargeTheStep)
{
    CountingEvents events(10.0f, 15.0f, 4.0f);
    events.update(100.0f);
    EXPECT_EQ(events.fired, 1);
    EXPECT_EQ(events.elapsed, 90.0f);
    const float second = events.nextDelay;
    events.update(0.0f);
    EXPECT_EQ(events.fired, 2);
    EXPECT_EQ(events.elapsed, 90.0f - second);

    CountingEvents off(10.0f, 15.0f, 4.0f);
    off.enabled = false;
    off.update(100.0f);
    EXPECT_EQ(off.fired, 0);
    EXPECT_EQ(off.elapsed, 0.0f);

    // A negative delay fires at the next update and leaves more time in elapsed.
    CountingEvents negative(1.0f, -5.0f, 0.001f);
    negative.update(1.0f);
    negative.update(0.0f);
    EXPECT_EQ(negative.fired, 2);
    EXPECT_NEAR(negative.elapsed, 5.0f, 0.01f);
}

TEST(RandomEventMaker, BothSpawnersShareTheStandardNormalValues)
{
    CountingEvents squirrels(14.0f, 20.0f, 3.0f);
    CountingEvents beetles(10.0f, 15.0f, 4.0f);
    for (int k = 0; k < 50; ++k) {
        squirrels.update(1000.0f);
        beetles.update(1000.0f);
        EXPECT_NEAR((squirrels.nextDelay - 20.0f) / 3.0f, (beetles.nextDelay - 15.0f) / 4.0f, 1e-5f) << k;
    }
    // A copy carries the generator on from the same state.
    CountingEvents copy = beetles;
    beetles.update(1000.0f);
    copy.update(1000.0f);
    EXPECT_EQ(copy.nextDelay, beetles.nextDelay);
}

TEST(SpawnArea, RimPointsFollowTheSideDrawnFirst)
{
    const SpawnArea area;
    int sides[4] = {0, 0, 0, 0};
    for (unsigned seed = 1; seed <= 4000; ++seed) {
        std::srand(seed);
        const int side = std::rand() % 4;
        const int along = std::rand() % 2100;
        std::srand(seed);
        const glm::vec3 p = area.randomRimPoint();
        const glm::vec3 expected[4] = {{float(along), 0, 0}, {float(along), 0, 2100}, {2100, 0, float(along)},
                                       {0, 0, float(along)}};
        ASSERT_EQ(p, expected[side]) << "seed " << seed;
        ++sides[side];
    }
    for (int count : sides)
        EXPECT_GT(count, 800);
}

} // namespace
