// The key table and the held keys of a real game.

#include "tests/game/game_fixture.hpp"

#include "game/key_states.hpp"
#include "field/chest.hpp"
#include "render/render_state.hpp"
#include "render/shader_program.hpp"
#include "tests/field/fake_food.hpp"

namespace {

class GameInputTest : public GameTest {
protected:
    void TearDown() override
    {
        std::fill(std::begin(keyStates), std::end(keyStates), false);
        linearFiltering = true;
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    }
};

TEST_F(GameInputTest, KeysActOnReleaseNotOnPress)
{
    press(GLFW_KEY_F1);
    EXPECT_TRUE(keyStates[GLFW_KEY_F1]);
    EXPECT_FALSE(game->showHelp);
    release(GLFW_KEY_F1);
    EXPECT_FALSE(keyStates[GLFW_KEY_F1]);
    EXPECT_TRUE(game->showHelp);
    game->handleKey(testWindow(), GLFW_KEY_F1, GLFW_REPEAT);
    EXPECT_TRUE(game->showHelp);
}

TEST_F(GameInputTest, TogglesFlipTheirSwitches)
{
    for (int key : {GLFW_KEY_F2, GLFW_KEY_F3, GLFW_KEY_F9, GLFW_KEY_F, GLFW_KEY_F4})
        release(key);
    EXPECT_TRUE(game->showFps);
    EXPECT_TRUE(game->wireframe);
    EXPECT_TRUE(game->blending);
    EXPECT_TRUE(game->cullingLog);
    EXPECT_FALSE(linearFiltering);
    GLint mode[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_LINE);
    release(GLFW_KEY_F3);
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_FILL);
}

TEST_F(GameInputTest, NumberKeysSwitchProgramAndCamera)
{
    release(GLFW_KEY_2);
    EXPECT_EQ(game->currentProgram, game->shadowProgram.get());
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_EQ(static_cast<GLuint>(program), game->shadowProgram->id);
    release(GLFW_KEY_1);
    EXPECT_EQ(game->currentProgram, game->basicProgram.get());
    release(GLFW_KEY_4);
    EXPECT_EQ(game->currentCamera, game->lightCamera.get());
    release(GLFW_KEY_3);
    EXPECT_EQ(game->currentCamera, game->playerCamera.get());
}

TEST_F(GameInputTest, RPrintsTheDebugFlagAsANumber)
{
    testing::internal::CaptureStdout();
    release(GLFW_KEY_R);
    release(GLFW_KEY_R);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "1\n0\n");
}

TEST_F(GameInputTest, CodesOutsideTheTableAreIgnored)
{
    press(1024);
    press(-1);
    release(1500);
    EXPECT_FALSE(game->paused);
    press(GLFW_KEY_ESCAPE);
    EXPECT_TRUE(glfwWindowShouldClose(testWindow()));
    glfwSetWindowShouldClose(testWindow(), GLFW_FALSE);
}

TEST_F(GameInputTest, HeldKeysMoveTheCameraAndSpeedUpTheStone)
{
    Camera& camera = *game->playerCamera;
    const glm::vec3 start = camera.position;
    keyStates[GLFW_KEY_W] = true;
    keyStates[GLFW_KEY_SPACE] = true;
    game->update(0.5f);
    EXPECT_NEAR(glm::length(camera.position - start), 350.0f, 1e-2f);
    EXPECT_GT(glm::dot(camera.position - start, camera.front), 0.0f);
    EXPECT_FLOAT_EQ(game->stoneController->speed, 400.0f);

    keyStates[GLFW_KEY_W] = false;
    keyStates[GLFW_KEY_D] = true;
    const glm::vec3 before = camera.position;
    game->update(0.1f);
    EXPECT_NEAR(glm::dot(camera.position - before, camera.right), 70.0f, 1e-2f);

    release(GLFW_KEY_SPACE);
    EXPECT_FLOAT_EQ(game->stoneController->speed, 37.3f);
}

TEST_F(GameInputTest, ArrowsMoveTheStoneRelativeToTheCamera)
{
    testing::internal::CaptureStdout();
    release(GLFW_KEY_UP); // the player looks from the low-z side: Up moves toward +z
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "Move bot");
    EXPECT_FLOAT_EQ(game->stoneController->cells[0].z, 500.0f);
}

TEST_F(GameInputTest, QAddsASquirrelAndHeldPAddsBeetleRings)
{
    testing::internal::CaptureStdout();
    release(GLFW_KEY_Q);
    ASSERT_EQ(game->creatures.size(), 1u);
    EXPECT_FLOAT_EQ(game->spawners[0].elapsed, 0.0f);
    keyStates[GLFW_KEY_P] = true;
    game->update(0.016f);
    game->update(0.016f);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(game->creatures.size(), 1u + 2u * 106u);
    EXPECT_EQ(out.rfind("Spawning on ", 0), 0u);
}

TEST_F(GameInputTest, ZeroClearsEveryLandedStoneOnce)
{
    auto lower = placeFood(playfield, {{2, 2, 0}, {3, 2, 0}});
    auto upper = placeFood(playfield, {{2, 2, 1}});
    playfield.landedStones.push_back(lower); // listed twice after landing again
    testing::internal::CaptureStdout();
    release(GLFW_KEY_0);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(playfield.at(2, 2, 0), nullptr);
    EXPECT_EQ(playfield.at(3, 2, 0), nullptr);
    // The upper stone lost its support before its turn came: it falls again instead.
    EXPECT_EQ(playfield.at(2, 2, 1), nullptr);
    EXPECT_EQ(playfield.fallingStones.size(), 1u);
    ASSERT_EQ(playfield.landedStones.size(), 1u);
    EXPECT_EQ(playfield.landedStones[0], upper);
    EXPECT_EQ(playfield.at(7, 7, 0), game->chest.get());
}

} // namespace
