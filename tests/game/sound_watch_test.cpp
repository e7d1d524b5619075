// What the game tells the sound layer: each happening once, at its place, and nothing while it only falls.

#include "tests/game/game_fixture.hpp"

#include "audio/sound_output.hpp"
#include "creatures/collision_checker.hpp"
#include "creatures/squirrel.hpp"
#include "effects/particle_system.hpp"
#include "tests/field/fake_food.hpp"


namespace {

class HeardEvents : public SoundOutput {
public:
    void tell(const SoundEvent& event) override { events.push_back(event); }
    void gnawingAt(std::optional<glm::vec3> where) override { gnawing = where.has_value(); }
    void listenFrom(glm::vec3 position, glm::vec3, glm::vec3) override { ear = position; }
    void setMuted(bool muted) override { silent = muted; }
    bool muted() const override { return silent; }

    // The happenings told since the last call.
    std::vector<Happening> take()
    {
        std::vector<Happening> told;
        for (const SoundEvent& event : events)
            told.push_back(event.what);
        events.clear();
        return told;
    }

    std::vector<SoundEvent> events;
    glm::vec3 ear{0.0f};
    bool gnawing = false;
    bool silent = false;
};

using Told = std::vector<Happening>;

class SoundWatchTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        game->soundWatch.output = &heard;
        logic(0.0f); // the first look at the game
    }
    HeardEvents heard;
};

TEST_F(SoundWatchTest, KeysAreHeardOnceAndTheFallIsSilent)
{
    EXPECT_EQ(heard.ear, game->currentCamera->position);
    logic(0.1f);
    EXPECT_EQ(heard.take(), Told{});

    release(GLFW_KEY_LEFT);
    logic(0.016f);
    EXPECT_EQ(heard.take(), Told{Happening::StoneMoved});
    release(GLFW_KEY_X);
    logic(0.016f);
    EXPECT_EQ(heard.take(), Told{Happening::StoneTurned});

    release(GLFW_KEY_O);
    logic(0.016f);
    release(GLFW_KEY_O);
    logic(0.016f);
    EXPECT_EQ(heard.take(), (Told{Happening::Paused, Happening::Resumed}));

    release(GLFW_KEY_M);
    EXPECT_TRUE(heard.silent);
    release(GLFW_KEY_M);
    EXPECT_FALSE(heard.silent);
}

TEST_F(SoundWatchTest, SmashLandingChestAndGameOverAreHeardWhereTheyHappen)
{
    addBeetle(400.0f, 400.0f);
    for (glm::vec3& cell : game->stoneController->cells)
        cell.y -= 975.0f; // down on the beetle under the pivot column
    logic(0.0f);
    ASSERT_NE(game->collisionChecker->effect, nullptr);
    ASSERT_EQ(heard.events.size(), 1u);
    EXPECT_EQ(heard.events[0].what, Happening::CreatureSmashed);
    EXPECT_EQ(heard.events[0].where, game->collisionChecker->effect->emitter);
    heard.take();

    const std::size_t cells = game->stoneController->cells.size();
    for (int frame = 0; frame < 10 && !game->stoneController->landed; ++frame)
        logic(0.5f);
    ASSERT_EQ(heard.events.size(), 1u);
    EXPECT_EQ(heard.events[0].what, Happening::StoneLanded);
    EXPECT_EQ(heard.events[0].stoneCells, static_cast<int>(cells));
    EXPECT_EQ(heard.events[0].where, game->stoneController->cells.front());
    heard.take();

    game->lifepoints = 1;
    addBeetle(700.0f, 700.0f);
    logic(0.016f);
    EXPECT_EQ(heard.take(), Told{Happening::GameOver});
    logic(0.016f);
    EXPECT_EQ(heard.take(), Told{}) << "the end is no pause";
    game->startNewGame();
    logic(0.016f);
    for (Happening what : heard.take())
        EXPECT_NE(what, Happening::Resumed) << "a new game is no resume";
}

TEST_F(SoundWatchTest, ArrivalsAreHeardButNotCreaturesLeaving)
{
    addBeetle(700.0f, 700.0f); // leaves at the chest in the next frame
    logic(0.016f);
    EXPECT_EQ(heard.take(), Told{Happening::ChestReached});
    for (int frame = 0; frame < 105 && game->creatures.empty(); ++frame)
        logic(0.1f);
    ASSERT_EQ(game->creatures.size(), 1u);
    EXPECT_EQ(heard.take(), Told{Happening::BeetleArrived});
}

TEST_F(SoundWatchTest, GnawingIsHeardWhileASquirrelGnawsAndNotWhilePaused)
{
    // Its probe point lies 7 units ahead, in cell (2, 3, 0).
    const glm::mat4 placement = glm::translate(glm::mat4(1.0f), glm::vec3(150.0f, 0.0f, 300.0f));
    game->creatures.push_back(std::make_unique<Squirrel>(placement, glm::vec3(2000.0f, 0.0f, 300.0f)));
    logic(0.016f);
    EXPECT_FALSE(heard.gnawing);
    const auto stone = placeFood(game->playfield, {{2, 3, 0}}); // now a stone stands in its way
    logic(0.016f);
    EXPECT_TRUE(heard.gnawing);
    release(GLFW_KEY_O);
    logic(0.016f);
    EXPECT_FALSE(heard.gnawing);
}

} // namespace
