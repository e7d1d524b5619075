// The event list, and what the field records in it as it happens: steps, turns, landings, landings again.

#include "field/game_events.hpp"
#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "tests/field/fake_food.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

using Kind = GameEvent::Kind;
using Kinds = std::vector<Kind>;

const glm::vec3 lowXCamera(-1000.0f, 300.0f, 750.0f); // Up steps toward +x from here
const glm::vec3 onADiagonal(750.0f, 300.0f, 750.0f);  // no side to steer from
constexpr int up = 3;

Kinds kindsOf(const GameEvents& events)
{
    Kinds kinds;
    for (const GameEvent& event : events.all())
        kinds.push_back(event.what);
    return kinds;
}

TEST(GameEvents, FindsTheFirstAndTheLastOfAKindAndForgetsWithoutFreeing)
{
    GameEvents events;
    events.add({Kind::StoneMoved, glm::vec3(1.0f)});
    events.add({Kind::StoneLanded, glm::vec3(2.0f)});
    events.add({Kind::StoneMoved, glm::vec3(3.0f)});

    struct Case {
        Kind what;
        const GameEvent* first;
        const GameEvent* last;
    };
    const std::vector<GameEvent>& all = events.all();
    for (const Case& c : {Case{Kind::StoneMoved, &all[0], &all[2]}, Case{Kind::StoneLanded, &all[1], &all[1]},
                          Case{Kind::GameOver, nullptr, nullptr}}) {
        EXPECT_EQ(events.first(c.what), c.first) << static_cast<int>(c.what);
        EXPECT_EQ(events.last(c.what), c.last) << static_cast<int>(c.what);
        EXPECT_EQ(events.contains(c.what), c.first != nullptr) << static_cast<int>(c.what);
    }

    const std::size_t capacity = all.capacity();
    events.clear();
    EXPECT_TRUE(events.all().empty());
    EXPECT_EQ(events.all().capacity(), capacity);
    GameEvents::record(nullptr, {Kind::GameOver}); // nobody listens: nothing happens
    GameEvents::record(&events, {Kind::GameOver});
    EXPECT_EQ(kindsOf(events), Kinds{Kind::GameOver});
}

// A two-cell stone with its pivot at start, on a field whose events are recorded.
class FieldEventsTest : public testing::Test {
protected:
    FieldEventsTest() { field.events = &events; }

    StoneController stoneAt(glm::vec3 start)
    {
        const std::vector<glm::vec3> cells{glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, 100.0f)};
        return StoneController(field, std::make_shared<FakeFood>('B', cells), start);
    }

    // Runs the action with its traces kept off the test's output.
    void quietly(const std::function<void()>& action)
    {
        testing::internal::CaptureStdout();
        action();
        testing::internal::GetCapturedStdout();
    }

    void landOnTheGround(StoneController& stone)
    {
        quietly([&] {
            for (int frame = 0; frame < 100 && !stone.landed; ++frame)
                stone.update(1.0f);
        });
    }

    Playfield field;
    GameEvents events;
};

TEST_F(FieldEventsTest, StepsTurnsAndTheLandingAreRecordedOnceWithThePivot)
{
    struct Case {
        const char* name;
        glm::vec3 start;
        std::function<void(StoneController&)> act;
        Kinds recorded;
    };
    const std::vector<Case> cases{
        {"a step", {700, 500, 300}, [](StoneController& s) { s.move(up, lowXCamera); }, {Kind::StoneMoved}},
        {"a step past the border", {1400, 500, 300}, [](StoneController& s) { s.move(up, lowXCamera); }, {}},
        {"no side to steer from", {700, 500, 300}, [](StoneController& s) { s.move(up, onADiagonal); }, {}},
        {"a turn", {700, 500, 300}, [](StoneController& s) { s.rotateAboutX(); }, {Kind::StoneTurned}},
        {"a turn about the length", {700, 500, 300}, [](StoneController& s) { s.rotateAboutZ(); },
         {Kind::StoneTurned}},
        {"falling", {700, 500, 300}, [](StoneController& s) { s.update(0.5f); }, {}},
    };
    for (const Case& c : cases) {
        events.clear();
        StoneController stone = stoneAt(c.start);
        quietly([&] { c.act(stone); });
        EXPECT_EQ(kindsOf(events), c.recorded) << c.name;
        for (const GameEvent& event : events.all())
            EXPECT_EQ(event.where, stone.cells.front()) << c.name;
    }
}

TEST_F(FieldEventsTest, ALandedStoneIsRecordedOnceAndNoLongerSteers)
{
    StoneController stone = stoneAt({700, 500, 300});
    landOnTheGround(stone);
    ASSERT_TRUE(stone.landed);
    ASSERT_EQ(kindsOf(events), Kinds{Kind::StoneLanded});
    EXPECT_EQ(events.all()[0].where, stone.cells.front());
    EXPECT_EQ(events.all()[0].stoneCells, 2);

    events.clear();
    quietly([&] {
        stone.move(up, lowXCamera); // its cells still shift, as they always did
        stone.rotateAboutX();
    });
    EXPECT_EQ(kindsOf(events), Kinds{});
}

TEST_F(FieldEventsTest, StonesThatFellAgainAreRecordedWhereTheyLandLowestFirst)
{
    placeFood(field, {{2, 2, 0}});
    placeFood(field, {{2, 2, 1}});
    placeFood(field, {{2, 2, 2}});
    quietly([&] { field.removeStone(2, 0, 2); });
    ASSERT_EQ(field.fallingStones.size(), 2u);
    EXPECT_EQ(kindsOf(events), Kinds{}) << "a release is no landing";

    quietly([&] {
        for (int frame = 0; frame < 11; ++frame) // 10 units a frame; the test comes after 110
            field.update(0.1f);
    });
    ASSERT_EQ(kindsOf(events), (Kinds{Kind::ReleasedStoneLanded, Kind::ReleasedStoneLanded}));
    EXPECT_EQ(events.all()[0].where, glm::vec3(200, -10, 200)); // released last, advanced first
    EXPECT_EQ(events.all()[1].where, glm::vec3(200, 90, 200));
}

} // namespace
