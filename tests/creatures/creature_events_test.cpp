// What the creatures and their rules record as it happens: arrivals with their kind, thefts, smashes and
// gnawing.

#include "creatures/collision_checker.hpp"
#include "creatures/lucanus_cervus.hpp"
#include "creatures/spawn_area.hpp"
#include "creatures/spawner.hpp"
#include "creatures/squirrel.hpp"
#include "field/game_events.hpp"
#include "field/stone_controller.hpp"
#include "tests/creatures/creature_helpers.hpp"
#include "tests/field/fake_food.hpp"

#include <functional>

namespace {

using Kind = GameEvent::Kind;
using Kinds = std::vector<Kind>;

Kinds kindsOf(const GameEvents& events)
{
    Kinds kinds;
    for (const GameEvent& event : events.all())
        kinds.push_back(event.what);
    return kinds;
}

class CreatureEventsTest : public testing::Test {
protected:
    CreatureEventsTest()
    {
        field.events = &events;
        checker.events = &events;
    }

    vosk::Spawner spawner(bool squirrels)
    {
        vosk::Spawner made(area, creatures, squirrels);
        made.events = &events;
        return made;
    }

    template <class Creature>
    Animal& add(glm::vec3 at, glm::vec3 target)
    {
        std::unique_ptr<Creature> creature;
        makeCreature(creature, at, target);
        creatures.push_back(std::move(creature));
        return *creatures.back();
    }

    SpawnArea area;
    Playfield field;
    CreatureList creatures;
    CollisionChecker checker{creatures};
    GameEvents events;
};

TEST_F(CreatureEventsTest, EachArrivalIsRecordedWithItsKindWhereTheCreatureStands)
{
    struct Case {
        const char* name;
        bool squirrels;
        std::function<void(vosk::Spawner&)> act;
        std::size_t arrivals;
        CreatureKind kind;
    };
    const Case cases[] = {
        {"a squirrel", true, [](vosk::Spawner& s) { s.onEvent(); }, 1, CreatureKind::Squirrel},
        {"a beetle", false, [](vosk::Spawner& s) { s.onEvent(); }, 1, CreatureKind::Beetle},
        {"a ring of beetles", true, [](vosk::Spawner& s) { s.massSpawn(); }, 106, CreatureKind::Beetle},
    };
    for (const Case& c : cases) {
        creatures.clear();
        events.clear();
        vosk::Spawner source = spawner(c.squirrels);
        traceOf([&] { c.act(source); });
        ASSERT_EQ(events.all().size(), c.arrivals) << c.name;
        for (std::size_t i = 0; i < c.arrivals; ++i) {
            const GameEvent& event = events.all()[i];
            EXPECT_EQ(event.what, Kind::CreatureArrived) << c.name;
            EXPECT_EQ(event.creature, c.kind) << c.name;
            EXPECT_EQ(event.where, creatures[i]->position()) << c.name;
        }
    }
}

TEST_F(CreatureEventsTest, ATheftIsRecordedAtTheChestAndEverySmashAtItsBurst)
{
    add<LucanusCervus>({300, 0, 400}, {2000, 0, 400});
    traceOf([&] { EXPECT_FALSE(checker.chestReached()); });
    EXPECT_EQ(kindsOf(events), Kinds{}) << "nobody at the chest";

    add<LucanusCervus>({690, 0, 710}, {2000, 0, 710});
    traceOf([&] { EXPECT_TRUE(checker.chestReached()); });
    ASSERT_EQ(kindsOf(events), Kinds{Kind::ChestRobbed});
    EXPECT_EQ(events.all()[0].where, glm::vec3(700, 0, 700));

    events.clear();
    add<LucanusCervus>({400, 0, 400}, {2000, 0, 400});
    StoneController stone(field, std::make_shared<FakeFood>(), {300, 0, 400});
    stone.cells.push_back({400, 0, 400});
    checker.smash(stone);
    ASSERT_EQ(kindsOf(events), (Kinds{Kind::CreatureSmashed, Kind::CreatureSmashed}));
    EXPECT_EQ(events.all()[0].where, glm::vec3(300, 0, 400));
    EXPECT_EQ(events.all()[1].where, checker.effect->emitter); // the burst that stays
}

TEST_F(CreatureEventsTest, ASquirrelRecordsEveryFrameItGnawsUnlessItIsCrushed)
{
    Animal& squirrel = add<Squirrel>({150, 0, 300}, {2000, 0, 300}); // its probe point lies in cell (2, 3, 0)
    step(squirrel, field, 0.1f);
    EXPECT_EQ(kindsOf(events), Kinds{}) << "walking";

    placeFood(field, {{2, 3, 0}});
    step(squirrel, field, 0.1f);
    step(squirrel, field, 0.1f);
    ASSERT_EQ(kindsOf(events), (Kinds{Kind::SquirrelGnawing, Kind::SquirrelGnawing}));
    EXPECT_EQ(events.all()[1].where, squirrel.position());

    events.clear();
    squirrel.removed = true;
    step(squirrel, field, 0.1f);
    EXPECT_EQ(kindsOf(events), Kinds{}) << "crushed in this frame";
}

} // namespace
