// Both passes of the scene on a real game: matrices, planes, culling log and GL state.

#include "creatures/creature_shaders.hpp"
#include "field/stone_shader.hpp"
#include "render/render_state.hpp"
#include "render/shader_program.hpp"
#include "render/shadow_map.hpp"
#include "tests/game/game_fixture.hpp"

#include <glm/gtc/type_ptr.hpp>

#include <algorithm>
#include <vector>

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

GLuint boundOnShadowMapUnit()
{
    glActiveTexture(GL_TEXTURE0 + Mesh::shadowMapUnit);
    GLint texture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    glActiveTexture(GL_TEXTURE0);
    return static_cast<GLuint>(texture);
}

// The shadow map is the depth pass's target: it must not be bound for sampling meanwhile.
TEST_F(GameRenderTest, TheShadowPassDrawsWithTheDepthProgramWithoutTheShadowMapBound)
{
    ShadowMap shadowMap;
    testing::internal::CaptureStdout();
    shadowMap.init();
    testing::internal::GetCapturedStdout();
    shadowDepthTexture = shadowMap.depthTexture();
    addBeetle(300.0f, 300.0f);
    logic(0.016f);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    renderPass(true);
    EXPECT_EQ(boundOnShadowMapUnit(), shadowMap.depthTexture()) << "sampled in the visible pass";

    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, shadowMap.framebuffer());
    renderPass(false);

    EXPECT_EQ(boundOnShadowMapUnit(), 0u);
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_EQ(static_cast<GLuint>(program), game->depthProgram->id);
    EXPECT_EQ(stoneShader, game->currentProgram) << "the objects draw with the current program again";
    EXPECT_EQ(beetleShader, game->currentProgram);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    shadowDepthTexture = 0;
}

// The visible pass of the frozen game, read back.
std::vector<unsigned char> visiblePicture(Game& game)
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, 1024, 800);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    testing::internal::CaptureStdout();
    game.mainPass = true;
    game.render();
    testing::internal::GetCapturedStdout();
    std::vector<unsigned char> pixels(1024 * 800 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 1024, 800, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

std::size_t differentPixels(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < a.size(); i += 3)
        count += std::equal(a.begin() + i, a.begin() + i + 3, b.begin() + i) ? 0 : 1;
    return count;
}

TEST_F(GameRenderTest, CreatureShortcutsKeepThePicture)
{
    const std::vector<unsigned char> empty = visiblePicture(*game);
    for (int i = 0; i < 12; ++i) {
        addBeetle(250.0f + 40.0f * i, 150.0f);
        addBeetle(250.0f + 40.0f * i, 150.0f); // a second one on the same spot, as in a ring spawn
    }
    game->paused = false;
    logic(0.0f); // their drawing poses

    const std::vector<unsigned char> fast = visiblePicture(*game);
    game->creatureShortcuts = false;
    const std::vector<unsigned char> plain = visiblePicture(*game);

    EXPECT_GT(differentPixels(plain, empty), 500u) << "the beetles are in view";
    EXPECT_LE(differentPixels(fast, plain), 10u);
}

} // namespace
