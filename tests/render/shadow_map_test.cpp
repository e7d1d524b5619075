#include "render/render_state.hpp"
#include "render/shadow_map.hpp"
#include "tests/render/render_test_support.hpp"

#include <gtest/gtest.h>

#include <utility>

namespace {

GLint textureParameter(GLuint texture, GLenum name)
{
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

TEST(ShadowMap, InitBuildsACompleteDepthFramebufferAndSaysGutWithoutALineBreak)
{
    ShadowMap shadowMap;
    bool complete = false;
    EXPECT_EQ(stdoutOf([&] { complete = shadowMap.init(); }), "GUT");
    EXPECT_TRUE(complete);

    GLint framebuffer = 0, texture = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    EXPECT_EQ(static_cast<GLuint>(framebuffer), shadowMap.framebuffer()) << "left bound";
    EXPECT_EQ(static_cast<GLuint>(texture), shadowMap.depthTexture()) << "left bound";
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    glBindFramebuffer(GL_FRAMEBUFFER, 0);

    const GLuint depth = shadowMap.depthTexture();
    GLint width = 0, height = 0, depthBits = 0;
    glBindTexture(GL_TEXTURE_2D, depth);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_DEPTH_SIZE, &depthBits);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 800);
    EXPECT_GE(depthBits, 16);
    EXPECT_EQ(textureParameter(depth, GL_TEXTURE_COMPARE_MODE), GL_COMPARE_REF_TO_TEXTURE);
    EXPECT_EQ(textureParameter(depth, GL_TEXTURE_COMPARE_FUNC), GL_LEQUAL);
    EXPECT_EQ(textureParameter(depth, GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(textureParameter(depth, GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(textureParameter(depth, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(textureParameter(depth, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, 0);
}

TEST(ShadowMap, FiltersAsTheSwitchSaidAtCreationForGood)
{
    linearFiltering = false;
    ShadowMap shadowMap;
    stdoutOf([&] { shadowMap.init(); });
    linearFiltering = true;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    EXPECT_EQ(textureParameter(shadowMap.depthTexture(), GL_TEXTURE_MAG_FILTER), GL_NEAREST);
    EXPECT_EQ(textureParameter(shadowMap.depthTexture(), GL_TEXTURE_MIN_FILTER), GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
}

TEST(ShadowMap, OwnsItsGlObjectsUntilItGoesAndMovesThemWhole)
{
    GLuint framebuffer = 0, texture = 0;
    {
        ShadowMap first;
        EXPECT_EQ(first.framebuffer(), 0u) << "nothing before init";
        stdoutOf([&] { first.init(); });
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        framebuffer = first.framebuffer();
        texture = first.depthTexture();
        ShadowMap second = std::move(first);
        EXPECT_EQ(first.framebuffer(), 0u);
        EXPECT_EQ(second.framebuffer(), framebuffer);
        EXPECT_TRUE(glIsFramebuffer(framebuffer));
    }
    EXPECT_FALSE(glIsFramebuffer(framebuffer));
    EXPECT_FALSE(glIsTexture(texture));
}

} // namespace
