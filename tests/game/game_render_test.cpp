// Both passes of the scene on a real game: matrices, planes, culling log and GL state.

#include "render/shader_program.hpp"
#include "tests/game/game_fixture.hpp"

#include <glm/gtc/type_ptr.hpp>

namespace {

class GameRenderTest : public GameTest {
protected:
    std::string renderPass(bool mainPass)
    {
        testing::internal::CaptureStdout();
        game->mainPass = mainPass;
        game->render();
        return testing::internal::GetCapturedStdout();
    }
};

TEST_F(GameRenderTest, BothPassesDrawWithoutGlErrors)
{
    logic(0.016f);
    while (glGetError() != GL_NO_ERROR) {
    }
    renderPass(false);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    renderPass(true);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_EQ(static_cast<GLuint>(program), game->currentProgram->id);
}

TEST_F(GameRenderTest, PassStoresTheCamerasMatricesAndPlanes)
{
    logic(0.016f);
    renderPass(true);
    const glm::mat4 expectedView = game->playerCamera->viewMatrix();
    EXPECT_EQ(game->view, expectedView);
    EXPECT_EQ(game->projView, game->projection * game->view);
    EXPECT_FLOAT_EQ(game->projection[3][2], -20.010006f);

    GLfloat uploaded[16];
    glGetUniformfv(game->basicProgram->id, game->basicProgram->uniform("view"), uploaded);
    EXPECT_FLOAT_EQ(uploaded[12], expectedView[3][0]);
}

TEST_F(GameRenderTest, CullingLogNamesTheChestWhenItIsOutOfView)
{
    logic(0.016f);
    release(GLFW_KEY_F);
    EXPECT_EQ(renderPass(true), "");
    game->playerCamera->yaw = -90.0f; // look away from the field
    game->playerCamera->updateCameraVectors();
    EXPECT_EQ(renderPass(true), "Culling");
    release(GLFW_KEY_F);
    EXPECT_EQ(renderPass(true), "");
}

TEST_F(GameRenderTest, BlendingFollowsItsSwitch)
{
    logic(0.016f);
    renderPass(false);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    release(GLFW_KEY_F9);
    renderPass(false);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
}

} // namespace
