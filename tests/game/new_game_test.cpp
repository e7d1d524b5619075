// Playing again: Enter after game over, and only then, starts a fresh game in the same record.

#include "game_fixture.hpp"

#include "game/key_states.hpp"
#include "field/blocked_for_stones.hpp"
#include "field/chest.hpp"
#include "ui/game_screens.hpp"

#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace {

using NewGameTest = GameTest;

TEST_F(NewGameTest, EnterDuringPlayOrPauseDoesNothing)
{
    logic(1.0f);
    game->score = 300;
    StoneController* stone = game->stoneController.get();
    press(GLFW_KEY_ENTER);
    EXPECT_TRUE(keyStates[GLFW_KEY_ENTER]);
    release(GLFW_KEY_ENTER);
    EXPECT_FALSE(keyStates[GLFW_KEY_ENTER]);
    release(GLFW_KEY_O);
    release(GLFW_KEY_ENTER);
    EXPECT_TRUE(game->paused);
    EXPECT_EQ(game->score, 300);
    EXPECT_FLOAT_EQ(game->elapsed, 1.0f);
    EXPECT_EQ(game->stoneController.get(), stone);
}

TEST_F(NewGameTest, EnterAfterGameOverStartsAfreshAndTheScoreIsKept)
{
    game->stoneController->speed = game->stoneController->fastSpeed; // a landed stone in the old field
    while (game->playfield.landedStones.empty())
        logic(0.5f);
    game->lifepoints = 1;
    addBeetle(700.0f, 700.0f);
    addBeetle(-2000.0f, 300.0f);
    game->currentCamera = game->lightCamera.get();
    game->playerCamera->position = glm::vec3(0.0f);
    logic(0.5f);
    ASSERT_EQ(game->lifepoints, 0);
    const ScoreStore::Result& result = game->screens->lastResult();
    EXPECT_EQ(result.rank, 0);
    ASSERT_EQ(result.table.entries().size(), 1u);
    EXPECT_EQ(result.table.entries()[0].score, 100 + std::lround(game->elapsed * 4.0f)); // as the HUD shows it
    const std::filesystem::path table = std::filesystem::path(std::getenv("XDG_DATA_HOME")) / "quarvel/scores";
    EXPECT_TRUE(std::filesystem::exists(table));

    testing::internal::CaptureStdout();
    release(GLFW_KEY_ENTER);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(game->lifepoints, Game::startLifepoints);
    EXPECT_EQ(game->score, 0);
    EXPECT_FLOAT_EQ(game->elapsed, 0.0f);
    EXPECT_FALSE(game->paused);
    EXPECT_TRUE(game->creatures.empty());
    EXPECT_TRUE(game->playfield.landedStones.empty());
    EXPECT_EQ(game->chest->treasure.size(), 5u);
    EXPECT_EQ(game->playfield.at(7, 7, 0), game->chest.get());
    EXPECT_EQ(game->playfield.at(6, 6, 9), game->blockedMarker.get());
    EXPECT_EQ(game->playfield.at(0, 0, 0), nullptr);
    EXPECT_EQ(game->stoneController->cells[0], StoneController::spawnPoint);
    EXPECT_EQ(game->currentCamera, game->playerCamera.get());
    EXPECT_EQ(game->playerCamera->position, glm::vec3(706.0f, 1500.0f, -550.0f));
    ASSERT_EQ(game->spawners.size(), 2u);
    EXPECT_FLOAT_EQ(game->spawners[1].nextDelay, 10.0f);
    EXPECT_FLOAT_EQ(game->spawners[1].elapsed, 0.0f);
    EXPECT_EQ(game->screens->lastResult().rank, -1);

    logic(0.5f); // the rules run again
    EXPECT_FLOAT_EQ(game->elapsed, 0.5f);
    EXPECT_LT(game->stoneController->cells[0].y, StoneController::spawnPoint.y);
}

} // namespace
