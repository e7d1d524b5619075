// The stag beetle's walk over the grid: climbing, walking on top, dropping down, backing, flying.

#include "creatures/lucanus_cervus.hpp"
#include "tests/creatures/creature_helpers.hpp"
#include "tests/field/fake_food.hpp"

#include <algorithm>
#include <memory>
#include <sstream>
#include <vector>

namespace {

constexpr float frame = 0.01f; // seconds: 0.48 world units of walking per step

// A beetle at (x, y, 300) heading along +x, with the trace of its construction swallowed.
std::unique_ptr<LucanusCervus> beetleAt(float x, float y = 0.0f)
{
    std::unique_ptr<LucanusCervus> beetle;
    makeCreature(beetle, {x, y, 300.0f}, {2000.0f, y, 300.0f});
    return beetle;
}

// Steps until the state changes (at most limit steps); returns the new state.
BeetleState stepUntilStateChanges(LucanusCervus& beetle, Playfield& field, int limit = 2000)
{
    const BeetleState before = beetle.state;
    for (int i = 0; i < limit && beetle.state == before; ++i)
        step(beetle, field, frame);
    return beetle.state;
}

TEST(LucanusCervus, StartsClimbingOnceTheFrontProbeEntersTheStoneCell)
{
    for (int column : {3, 4}) {
        Playfield field;
        placeFood(field, {{column, 3, 0}});
        auto beetle = beetleAt(100.0f * column - 90.0f);
        const float threshold = 100.0f * column - 62.8f;
        float lastX = 0.0f;
        std::string trace;
        while (beetle->state == BeetleState::Walking && beetle->position().x < threshold + 5.0f) {
            lastX = beetle->position().x;
            trace = traceOf([&] { step(*beetle, field, frame); });
        }
        ASSERT_EQ(beetle->state, BeetleState::Climbing);
        EXPECT_GE(beetle->position().x, threshold - 1e-3f);
        EXPECT_LT(lastX, threshold + 1e-3f);
        EXPECT_EQ(trace, "YES0");
        expectNear(beetle->forward, glm::vec3(0.0f, 1.0f, 0.0f)); // walks up the face
    }
}

TEST(LucanusCervus, ClimbsAlongTheNearestWorldAxisAndResumesItsHeadingOnTop)
{
    struct Case {
        glm::vec3 direction, axis;
        float yaw;
    };
    const Case cases[] = {{{0.8f, 0, 0.6f}, {1, 0, 0}, 36.87f},    {{0.6f, 0, 0.8f}, {0, 0, 1}, -36.87f},
                          {{-0.6f, 0, 0.8f}, {0, 0, 1}, 36.87f},   {{-0.8f, 0, 0.6f}, {-1, 0, 0}, -36.87f},
                          {{-0.8f, 0, -0.6f}, {-1, 0, 0}, 36.87f}, {{-0.6f, 0, -0.8f}, {0, 0, -1}, -36.87f},
                          {{0.6f, 0, -0.8f}, {0, 0, -1}, 36.87f},  {{0.8f, 0, -0.6f}, {1, 0, 0}, 323.13f}};
    const bool stoneAhead[2] = {true, false};
    const bool wallAhead[2] = {false, true};
    const bool nothing[2] = {false, false};
    for (const Case& c : cases) {
        const glm::vec3 start(700.0f, 0.0f, 700.0f);
        std::unique_ptr<LucanusCervus> beetle;
        makeCreature(beetle, start, start + 500.0f * c.direction);
        EXPECT_EQ(traceOf([&] { beetle->react(stoneAhead); }), "YES0");
        EXPECT_NEAR(beetle->alignAngle, c.yaw, 1e-2f);
        expectNear(headingOf(*beetle), c.axis);
        beetle->react(wallAhead);
        beetle->react(nothing); // top reached
        EXPECT_EQ(beetle->state, BeetleState::Walking);
        expectNear(headingOf(*beetle), c.direction);
    }
}

TEST(LucanusCervus, EitherSupportProbeHoldsTheBeetleUp)
{
    for (const float z : {346.9f, 253.1f}) { // only the probe on the +z or on the -z side finds the stone
        Playfield field;
        placeFood(field, {{2, z > 300.0f ? 4 : 2, 0}, {3, z > 300.0f ? 4 : 2, 0}});
        std::unique_ptr<LucanusCervus> beetle;
        makeCreature(beetle, {300, 98, z}, {2000, 98, z}); // on top of one level
        beetle->think(field);
        EXPECT_TRUE(beetle->supportSeen) << z;
        EXPECT_EQ(beetle->airFrames, 0) << z;
    }
}

TEST(LucanusCervus, ClimbsAOneLevelStoneWalksOnTopAndDropsDownBehindIt)
{
    Playfield field;
    placeFood(field, {{3, 3, 0}});
    auto beetle = beetleAt(200.0f);
    std::string trace = traceOf([&] {
        EXPECT_EQ(stepUntilStateChanges(*beetle, field), BeetleState::Climbing);
        EXPECT_EQ(stepUntilStateChanges(*beetle, field), BeetleState::Walking);
    });
    EXPECT_EQ(trace, "YES0");
    EXPECT_NEAR(beetle->position().y, 98.0f, 0.5f); // the wall probe 48 below has left level 0
    EXPECT_EQ(beetle->topX, beetle->position().x);
    EXPECT_EQ(beetle->topZ, 300.0f);

    trace = traceOf([&] { EXPECT_EQ(stepUntilStateChanges(*beetle, field), BeetleState::Descending); });
    EXPECT_GE(beetle->position().x, 362.8f - 1e-3f); // the support probe 12.8 behind has left the stone
    EXPECT_FALSE(beetle->dropping);

    // The edge line: x|z|topX|topZ|x*z-topX*topZ.
    std::istringstream line(trace);
    float x, z, topX, topZ, product;
    char bar[4], end = '\0';
    line >> x >> bar[0] >> z >> bar[1] >> topX >> bar[2] >> topZ >> bar[3] >> product;
    line.get(end);
    EXPECT_EQ(std::string(bar, 4), "||||");
    EXPECT_EQ(end, '\n');
    EXPECT_NEAR(x, beetle->position().x, 1e-2f);
    EXPECT_NEAR(topX, beetle->topX, 1e-2f);
    EXPECT_NEAR(product, x * z - topX * topZ, 2.0f);

    EXPECT_EQ(stepUntilStateChanges(*beetle, field), BeetleState::Walking);
    EXPECT_EQ(beetle->position().y, 0.0f); // clamped to the ground
    expectNear(beetle->forward, glm::vec3(1.0f, 0.0f, 0.0f));
    const float landedX = beetle->position().x;
    for (int i = 0; i < 100; ++i)
        step(*beetle, field, frame);
    EXPECT_EQ(beetle->state, BeetleState::Walking);
    EXPECT_NEAR(beetle->position().x, landedX + 48.0f, 1e-2f);
}

TEST(LucanusCervus, MeetingAStoneCornerDiagonallyItClimbsOverAndReachesTheGroundAgain)
{
    // Heading 45 degrees off the axes, it meets the stone's corner: along no axis is there a face.
    Playfield field;
    placeFood(field, {{6, 4, 0}});
    std::unique_ptr<LucanusCervus> beetle;
    makeCreature(beetle, {402, 0, 0}, {700, 0, 700});
    float highest = 0.0f;
    int steps = 0;
    const std::string trace = traceOf([&] {
        for (; steps < 3000 && !(highest > 90.0f && beetle->position().y == 0.0f); ++steps) {
            step(*beetle, field, 1.0f / 60.0f);
            highest = std::max(highest, beetle->position().y);
        }
    });
    EXPECT_LT(steps, 3000);
    EXPECT_GT(highest, 90.0f);  // on top of the stone
    EXPECT_LT(highest, 120.0f); // and never into the sky
    EXPECT_EQ(trace.substr(0, 4), "YES0");
    EXPECT_EQ(trace.find("FLYIN"), std::string::npos);
    EXPECT_EQ(beetle->state, BeetleState::Walking);
    expectNear(headingOf(*beetle), beetle->direction, 1e-4f);
}

TEST(LucanusCervus, ClimberThatLostItsWallComesBackDown)
{
    Playfield field; // the stone it met is gone (gnawed away) before the wall probe finds its face
    auto beetle = beetleAt(200.0f);
    const bool stoneAhead[2] = {true, false};
    const std::string trace = traceOf([&] {
        beetle->react(stoneAhead);
        EXPECT_EQ(stepUntilStateChanges(*beetle, field, 20), BeetleState::Descending);
        EXPECT_EQ(stepUntilStateChanges(*beetle, field, 20), BeetleState::Walking);
    });
    EXPECT_EQ(trace, "YES0");
    EXPECT_EQ(beetle->position().y, 0.0f);
    expectNear(beetle->forward, glm::vec3(1.0f, 0.0f, 0.0f));
    expectNear(headingOf(*beetle), glm::vec3(1.0f, 0.0f, 0.0f));
    EXPECT_EQ(beetle->alignAngle, 0.0f);
}

TEST(LucanusCervus, DescendingStopsOnAStoneBelow)
{
    Playfield field;
    placeFood(field, {{3, 3, 0}, {3, 3, 1}});
    placeFood(field, {{4, 3, 0}});
    auto beetle = beetleAt(200.0f);
    traceOf([&] {
        stepUntilStateChanges(*beetle, field); // climbing the two-level wall
        stepUntilStateChanges(*beetle, field); // on top at level 2
        EXPECT_EQ(stepUntilStateChanges(*beetle, field), BeetleState::Descending);
        EXPECT_EQ(stepUntilStateChanges(*beetle, field), BeetleState::Walking);
    });
    EXPECT_GT(beetle->position().y, 90.0f); // stands on the lower stone, not on the ground
}

TEST(LucanusCervus, BacksAwayUnderAnOverhang)
{
    Playfield field;
    placeFood(field, {{3, 3, 0}});
    placeFood(field, {{2, 3, 1}}); // hangs over the foot of the wall
    auto beetle = beetleAt(200.0f);
    traceOf([&] {
        EXPECT_EQ(stepUntilStateChanges(*beetle, field), BeetleState::Climbing);
        EXPECT_EQ(stepUntilStateChanges(*beetle, field), BeetleState::Backing);
    });
    expectNear(beetle->forward, glm::vec3(-1.0f, 0.0f, 0.0f));
    const glm::vec3 start = beetle->position();
    EXPECT_LT(start.y, 50.0f); // stopped before the overhang's cell
    for (int i = 0; i < 20; ++i)
        step(*beetle, field, frame);
    EXPECT_EQ(beetle->state, BeetleState::Backing);
    EXPECT_NEAR(beetle->position().x, start.x - 20 * 0.48f, 1e-2f);
    EXPECT_FLOAT_EQ(beetle->position().y, start.y);

    // Clear of the overhang it climbs again.
    EXPECT_EQ(stepUntilStateChanges(*beetle, field), BeetleState::Climbing);
    EXPECT_LT(beetle->position().x, 150.0f);
    EXPECT_FALSE(beetle->wallSeen);
}

TEST(LucanusCervus, DropsAfterMoreThanAThousandStepsInTheAir)
{
    Playfield field;
    auto beetle = beetleAt(300.0f, 500.0f);
    const std::string quiet = traceOf([&] {
        for (int i = 0; i < 1000; ++i)
            beetle->think(field);
    });
    EXPECT_EQ(quiet, "");
    EXPECT_FALSE(beetle->dropping);
    EXPECT_EQ(traceOf([&] { beetle->think(field); }), "FLYIN");
    EXPECT_TRUE(beetle->dropping);
    EXPECT_EQ(beetle->state, BeetleState::Dropping);
    EXPECT_EQ(beetle->speed, 100.0f);

    // Straight down at 1600 units per second, writing FLYIN on every step still in the air.
    const std::string falling = traceOf([&] {
        for (int i = 0; i < 10; ++i)
            step(*beetle, field, 0.03f);
    });
    EXPECT_EQ(falling, "FLYINFLYINFLYINFLYINFLYINFLYINFLYINFLYINFLYINFLYIN");
    EXPECT_NEAR(beetle->position().y, 500.0f - 480.0f, 1e-2f);
    EXPECT_NEAR(beetle->position().x, 300.0f, 1e-3f);
    traceOf([&] { step(*beetle, field, 0.03f); });
    EXPECT_EQ(beetle->state, BeetleState::Walking);
    EXPECT_EQ(beetle->position().y, 0.0f);
    EXPECT_EQ(beetle->speed, 3.0f);
    beetle->think(field); // still dropping: back to Dropping at once
    EXPECT_EQ(beetle->state, BeetleState::Dropping);
}

TEST(LucanusCervus, WalksIntoTheChestColumnWithoutClimbing)
{
    Playfield field;
    FakeFood marker('-');
    FakeFood chest('T');
    for (int x = 6; x <= 8; ++x)
        for (int z = 6; z <= 8; ++z)
            for (int level = 0; level < Playfield::levels; ++level)
                field.at(x, z, level) = (x == 7 && z == 7) ? &chest : &marker;
    std::unique_ptr<LucanusCervus> beetle;
    makeCreature(beetle, {450, 0, 700}, {700, 0, 700});
    const std::string trace = traceOf([&] {
        while (beetle->position().x < 700.0f)
            step(*beetle, field, frame);
    });
    EXPECT_EQ(trace, "");
    EXPECT_EQ(beetle->state, BeetleState::Walking);
    EXPECT_EQ(beetle->position().y, 0.0f);
    EXPECT_EQ(beetle->airFrames, 0); // on the ground nothing counts as flying
}

} // namespace

namespace {

// A beetle drawn before its first update (a ring spawned in the game's last frame) carries its marker
// as every other beetle does: small and on its back, where an update without movement leaves it.
TEST(LucanusCervus, MarkerHasItsDrawingPoseFromTheStart)
{
    const struct {
        glm::vec3 start, target;
    } placements[] = {{{300.0f, 0.0f, 300.0f}, {2000.0f, 0.0f, 300.0f}},
                      {{-1050.0f, 0.0f, 400.0f}, {700.0f, 0.0f, 700.0f}},
                      {{1200.0f, 0.0f, 1750.0f}, {700.0f, 0.0f, 700.0f}}};
    for (const auto& p : placements) {
        std::unique_ptr<LucanusCervus> beetle;
        makeCreature(beetle, p.start, p.target);
        const glm::mat4 atConstruction = beetle->partMatrices[0];
        beetle->update(0.0f);
        for (int column = 0; column < 4; ++column)
            expectNear(glm::vec3(atConstruction[column]), glm::vec3(beetle->partMatrices[0][column]));
        // A tenth of the body's scale, not the full-sized quad of the spawn pose.
        EXPECT_NEAR(glm::length(glm::vec3(atConstruction[0])), 0.1f * LucanusCervus::modelScale, 1e-3f);
    }
}

} // namespace
