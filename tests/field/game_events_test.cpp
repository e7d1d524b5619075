// What the field records as it happens: the stone's steps, turns and landing, and stones landing again.

#include "field/game_events.hpp"
#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "tests/field/fake_food.hpp"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Kind = GameEvent::Kind;

std::vector<Kind> kindsOf(const GameEvents& events)
{
    std::vector<Kind> kinds;
    for (const GameEvent& event : events.all())
        kinds.push_back(event.what);
    return kinds;
}

TEST(FieldEvents, TheStoneRecordsItsStepsTurnsAndLandingAtItsPivotAndNothingOnceLanded)
{
    const glm::vec3 lowXCamera(-1000, 300, 750), onADiagonal(750, 300, 750);
    constexpr int up = 3; // a step toward +x, seen from lowXCamera
    struct Case {
        const char* name;
        float x; // of the pivot
        std::function<void(StoneController&)> act;
        std::vector<Kind> recorded;
    };
    const Case cases[] = {
        {"a step", 700, [&](StoneController& s) { s.move(up, lowXCamera); }, {Kind::StoneMoved}},
        {"a step past the border", 1400, [&](StoneController& s) { s.move(up, lowXCamera); }, {}},
        {"no side to steer from", 700, [&](StoneController& s) { s.move(up, onADiagonal); }, {}},
        {"a turn", 700, [](StoneController& s) { s.rotateAboutX(); }, {Kind::StoneTurned}},
        {"a turn about its length", 700, [](StoneController& s) { s.rotateAboutZ(); }, {Kind::StoneTurned}},
        {"the fall to the ground", 700,
         [](StoneController& s) {
             for (int frame = 0; frame < 100 && !s.landed; ++frame)
                 s.update(1.0f);
         },
         {Kind::StoneLanded}},
        {"steering once landed", 700,
         [&](StoneController& s) {
             s.land();
             s.move(up, lowXCamera);
             s.rotateAboutX();
         },
         {}},
    };
    for (const Case& c : cases) {
        Playfield field;
        GameEvents events;
        field.events = &events;
        const std::vector<glm::vec3> bar{glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, 100.0f)};
        StoneController stone(field, std::make_shared<FakeFood>('B', bar), {c.x, 500, 300});
        testing::internal::CaptureStdout();
        c.act(stone);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(kindsOf(events), c.recorded) << c.name;
        for (const GameEvent& event : events.all()) {
            EXPECT_EQ(event.where, stone.cells.front()) << c.name;
            EXPECT_EQ(event.stoneCells, 2) << c.name;
        }
    }
}

TEST(FieldEvents, StonesThatFallAgainAreRecordedWhereTheyLandTheLastReleasedFirst)
{
    Playfield field;
    GameEvents events;
    field.events = &events;
    for (int level = 0; level < 3; ++level)
        placeFood(field, {{2, 2, level}});
    testing::internal::CaptureStdout();
    field.removeStone(2, 0, 2);
    EXPECT_TRUE(events.all().empty()) << "a release is no landing";
    for (int frame = 0; frame < 11; ++frame) // 10 units a frame; the test comes after 110
        field.update(0.1f);
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(kindsOf(events), (std::vector<Kind>{Kind::ReleasedStoneLanded, Kind::ReleasedStoneLanded}));
    EXPECT_EQ(events.first(Kind::ReleasedStoneLanded)->where, glm::vec3(200, -10, 200));
    EXPECT_EQ(events.last(Kind::ReleasedStoneLanded)->where, glm::vec3(200, 90, 200));
}

} // namespace
