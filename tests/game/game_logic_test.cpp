// The game record: set-up and the per-frame rules, on a real game with its data.

#include "creatures/collision_checker.hpp"
#include "effects/particle_system.hpp"
#include "field/blocked_for_stones.hpp"
#include "field/chest.hpp"
#include "render/shader_program.hpp"
#include "tests/game/game_fixture.hpp"

namespace {

TEST_F(GameTest, SetupMarksTheChestColumnsAndPreparesThePlay)
{
    int blocked = 0;
    int chest = 0;
    for (const vosk::scene::Food* cell : playfield.cells) {
        blocked += cell == game->blockedMarker.get();
        chest += cell == game->chest.get();
    }
    EXPECT_EQ(blocked, 80);
    EXPECT_EQ(chest, 10);
    for (int level = 0; level < Playfield::levels; ++level)
        EXPECT_EQ(playfield.at(7, 7, level), game->chest.get());

    ASSERT_EQ(game->spawners.size(), 2u);
    EXPECT_TRUE(game->spawners[0].spawnsSquirrel);
    EXPECT_FLOAT_EQ(game->spawners[0].nextDelay, 14.0f);
    EXPECT_FALSE(game->spawners[1].spawnsSquirrel);
    EXPECT_FLOAT_EQ(game->spawners[1].nextDelay, 10.0f);
    EXPECT_TRUE(game->spawners[0].enabled && game->spawners[1].enabled);
    EXPECT_FLOAT_EQ(game->spawners[1].delayDistribution.mean(), 15.0f);
    EXPECT_FLOAT_EQ(game->spawners[1].delayDistribution.stddev(), 4.0f);

    EXPECT_EQ(game->currentCamera, game->playerCamera.get());
    EXPECT_EQ(game->currentProgram, game->basicProgram.get());
    EXPECT_EQ(particleShader, game->particleProgram.get());
    EXPECT_EQ(game->lifepoints, 5);
    EXPECT_EQ(game->stoneController->cells[0], StoneController::spawnPoint);
}

TEST_F(GameTest, UnpausedFrameAdvancesStoneClockAndSpawners)
{
    logic(0.5f);
    EXPECT_FLOAT_EQ(game->elapsed, 0.5f);
    EXPECT_NEAR(stoneHeight(), 1000.0f - 37.3f * 0.5f, 1e-3f);
    EXPECT_FLOAT_EQ(game->spawners[0].elapsed, 0.5f);
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_EQ(static_cast<GLuint>(program), game->basicProgram->id);
}

TEST_F(GameTest, PauseFreezesTheRulesButNotTheFrameCount)
{
    release(GLFW_KEY_O);
    ASSERT_TRUE(game->paused);
    const int framesBefore = game->frames.framesThisSecond;
    logic(0.5f);
    EXPECT_FLOAT_EQ(game->elapsed, 0.0f);
    EXPECT_FLOAT_EQ(stoneHeight(), 1000.0f);
    EXPECT_FLOAT_EQ(game->spawners[1].elapsed, 0.0f);
    EXPECT_NE(game->frames.framesThisSecond + game->frames.framesLastSecond, framesBefore);

    release(GLFW_KEY_O);
    logic(0.5f);
    EXPECT_FLOAT_EQ(game->elapsed, 0.5f);
}

TEST_F(GameTest, FirstBeetleArrivesAfterTenSecondsOfPlay)
{
    for (int frame = 0; frame < 99; ++frame)
        logic(0.1f);
    EXPECT_TRUE(game->creatures.empty());
    std::string out;
    for (int frame = 0; frame < 3 && game->creatures.empty(); ++frame)
        out += logic(0.1f);
    ASSERT_EQ(game->creatures.size(), 1u);
    EXPECT_NE(out.find("Spawning on "), std::string::npos);
    EXPECT_NE(dynamic_cast<LucanusCervus*>(game->creatures[0].get()), nullptr);
}

TEST_F(GameTest, CreatureAtTheChestCostsALifepointAPieceAndScores)
{
    addBeetle(700.0f, 700.0f);
    const std::string out = logic(0.016f);
    EXPECT_NE(out.find("LIFEPOINTS--"), std::string::npos);
    EXPECT_EQ(game->lifepoints, 4);
    EXPECT_EQ(game->chest->treasure.size(), 4u);
    EXPECT_EQ(game->score, 100);
    EXPECT_TRUE(game->creatures.empty());
}

TEST_F(GameTest, TwoCreaturesAtTheChestCostOneLifepointPerFrame)
{
    addBeetle(700.0f, 700.0f);
    addBeetle(690.0f, 710.0f);
    logic(0.016f);
    EXPECT_EQ(game->lifepoints, 4);
    EXPECT_EQ(game->creatures.size(), 1u);
    logic(0.016f);
    EXPECT_EQ(game->lifepoints, 3);
    EXPECT_EQ(game->creatures.size(), 0u);
    EXPECT_EQ(game->score, 200);
}

TEST_F(GameTest, RemovingACreatureDoesNotSkipTheNextOne)
{
    addBeetle(700.0f, 700.0f); // leaves at the chest in this frame
    LucanusCervus& second = addBeetle(-2000.0f, 300.0f);
    LucanusCervus& third = addBeetle(-2000.0f, 1200.0f);
    logic(0.5f);
    ASSERT_EQ(game->creatures.size(), 2u);
    EXPECT_NEAR(second.position().x, -2000.0f + 24.0f, 0.01f); // 48 units per second, once
    EXPECT_NEAR(third.position().x, -2000.0f + 24.0f, 0.01f);
}

TEST_F(GameTest, LosingTheLastLifepointEndsTheGameForGood)
{
    game->lifepoints = 1;
    addBeetle(700.0f, 700.0f);
    std::string out = logic(0.016f);
    EXPECT_NE(out.find("LIFEPOINTS--GAME OVERRRRRR\n"), std::string::npos) << out;
    EXPECT_EQ(game->lifepoints, 0);
    EXPECT_TRUE(game->chest->treasure.size() == 4u);

    const float elapsed = game->elapsed;
    const float height = stoneHeight();
    LucanusCervus& walker = addBeetle(-2000.0f, 300.0f);
    logic(0.5f);
    EXPECT_TRUE(game->paused);
    release(GLFW_KEY_O); // cannot resume
    out = logic(0.5f);
    EXPECT_TRUE(game->paused);
    EXPECT_FLOAT_EQ(game->elapsed, elapsed);
    EXPECT_FLOAT_EQ(stoneHeight(), height);
    EXPECT_FLOAT_EQ(walker.position().x, -2000.0f);
    EXPECT_EQ(out.find("GAME OVER"), std::string::npos);
}

TEST_F(GameTest, FallingStoneSmashesABeetleWithABurst)
{
    // A beetle under the stone's pivot column, and the stone brought down to its height.
    addBeetle(400.0f, 400.0f);
    for (glm::vec3& cell : game->stoneController->cells)
        cell.y -= 975.0f;
    logic(0.0f);
    EXPECT_TRUE(game->creatures.empty());
    EXPECT_EQ(game->score, 100);
    ASSERT_NE(game->collisionChecker->effect, nullptr);
}

} // namespace
