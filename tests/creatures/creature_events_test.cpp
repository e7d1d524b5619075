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

namespace {

using Kind = GameEvent::Kind;

TEST(CreatureEvents, EachArrivalIsRecordedWithItsKindWhereTheCreatureStands)
{
    struct Case {
        bool squirrels;
        bool ring; // the mass spawn instead of one creature
        std::size_t arrivals;
        CreatureKind kind;
    };
    SpawnArea area;
    const Case cases[] = {
        {true, false, 1, CreatureKind::Squirrel}, {false, false, 1, CreatureKind::Beetle},
        {true, true, 106, CreatureKind::Beetle}};
    for (const Case& c : cases) {
        CreatureList creatures;
        GameEvents events;
        vosk::Spawner spawner(area, creatures, c.squirrels);
        spawner.events = &events;
        traceOf([&] { c.ring ? spawner.massSpawn() : spawner.onEvent(); });
        ASSERT_EQ(events.all().size(), c.arrivals);
        for (std::size_t i = 0; i < c.arrivals; ++i) {
            EXPECT_EQ(events.all()[i].what, Kind::CreatureArrived);
            EXPECT_EQ(events.all()[i].creature, c.kind) << c.squirrels << c.ring;
            EXPECT_EQ(events.all()[i].where, creatures[i]->position());
        }
    }
}

TEST(CreatureEvents, ATheftASmashAndGnawingAreRecordedWhereTheyHappen)
{
    Playfield field;
    CreatureList creatures;
    GameEvents events;
    field.events = &events;
    CollisionChecker checker(creatures);
    checker.events = &events;
    const auto add = [&](auto creature) { creatures.push_back(std::move(creature)); };
    traceOf([&] {
        add(std::make_unique<LucanusCervus>(placedAt(690, 0, 710), glm::vec3(2000, 0, 710)));
        add(std::make_unique<LucanusCervus>(placedAt(400, 0, 400), glm::vec3(2000, 0, 400)));
        // The squirrel's probe point lies in cell (2, 3, 0).
        add(std::make_unique<Squirrel>(placedAt(150, 0, 300), glm::vec3(2000, 0, 300)));
        EXPECT_TRUE(checker.chestReached());
    });
    checker.smash(StoneController(field, std::make_shared<FakeFood>(), {400, 0, 400}));
    placeFood(field, {{2, 3, 0}});
    Animal& squirrel = *creatures.back();
    step(squirrel, field, 0.1f);
    squirrel.removed = true; // crushed: it leaves play before anyone hears it gnaw
    step(squirrel, field, 0.1f);

    ASSERT_EQ(events.all().size(), 3u);
    EXPECT_EQ(events.all()[0].what, Kind::ChestRobbed);
    EXPECT_EQ(events.all()[0].where, glm::vec3(700, 0, 700));
    EXPECT_EQ(events.all()[1].what, Kind::CreatureSmashed);
    EXPECT_EQ(events.all()[1].where, checker.effect->emitter);
    EXPECT_EQ(events.all()[2].what, Kind::SquirrelGnawing);
    EXPECT_EQ(events.all()[2].where, squirrel.position());
}

} // namespace
