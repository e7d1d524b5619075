// Drawing bursts with the game's particle program into an offscreen target, and releasing their GL objects.

#include "creatures/collision_checker.hpp"
#include "effects/particle_shared.hpp"
#include "effects/particle_system.hpp"
#include "render/shader_program.hpp"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr int side = 256; // pixels of the offscreen target

// A colour target with depth, bound while the fixture lives, and the particle program set up
// the way the render pass sets it, from a camera looking down at the origin from about five cells away.
class ParticleDrawing : public testing::Test {
protected:
    void SetUp() override
    {
        program = std::make_unique<ShaderProgram>("QUARVEL/Shader/particle.vert",
                                                  "QUARVEL/Shader/particle.frag");
        particleShader = program.get();
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glGenRenderbuffers(1, &colour);
        glBindRenderbuffer(GL_RENDERBUFFER, colour);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, side, side);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
        ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
        glViewport(0, 0, side, side);
        glDisable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);

        const glm::mat4 view = glm::lookAt(glm::vec3(0, 250, 450), glm::vec3(0, 30, 0), glm::vec3(0, 1, 0));
        const glm::mat4 projection = glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 1000.0f);
        glUseProgram(program->id);
        glUniform3f(program->uniform("CameraRight_worldspace"), view[0][0], view[1][0], view[2][0]);
        glUniform3f(program->uniform("CameraUp_worldspace"), view[0][1], view[1][1], view[2][1]);
        glUniformMatrix4fv(program->uniform("projection"), 1, GL_FALSE, glm::value_ptr(projection));
        glUniformMatrix4fv(program->uniform("view"), 1, GL_FALSE, glm::value_ptr(view));
        clear();
    }

    void TearDown() override
    {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteRenderbuffers(1, &colour);
        glDeleteFramebuffers(1, &framebuffer);
        glDisable(GL_BLEND);
        particleShader = nullptr;
    }

    void clear()
    {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    // Draws the burst and returns the number of triangles the draw produced.
    GLuint drawCountingTriangles(ParticleSystem& burst)
    {
        GLuint query = 0;
        glGenQueries(1, &query);
        glBeginQuery(GL_PRIMITIVES_GENERATED, query);
        burst.draw();
        glEndQuery(GL_PRIMITIVES_GENERATED);
        GLuint triangles = 0;
        glGetQueryObjectuiv(query, GL_QUERY_RESULT, &triangles);
        glDeleteQueries(1, &query);
        return triangles;
    }

    std::vector<unsigned char> pixels()
    {
        std::vector<unsigned char> rgba(side * side * 4);
        glReadPixels(0, 0, side, side, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return rgba;
    }

    int redPixels()
    {
        const std::vector<unsigned char> rgba = pixels();
        int count = 0;
        for (std::size_t i = 0; i < rgba.size(); i += 4)
            count += rgba[i] > 8 && rgba[i + 1] < 8 && rgba[i + 2] < 8;
        return count;
    }

    std::unique_ptr<ShaderProgram> program;
    GLuint framebuffer = 0;
    GLuint colour = 0;
};

TEST_F(ParticleDrawing, DrawsEveryStagedParticleAsTwoRedTriangles)
{
    ParticleSystem burst(0, 0, 0);
    burst.initBuffers();
    for (int i = 0; i < 100; ++i)
        burst.update(0.016f);
    ASSERT_EQ(burst.instanceCount, 3000);
    EXPECT_EQ(drawCountingTriangles(burst), 6000u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_GT(redPixels(), 500);
    EXPECT_TRUE(glIsEnabled(GL_BLEND)); // left on for whatever is drawn next
}

TEST_F(ParticleDrawing, DrawsNothingWithoutAnUpdateOrAfterTheCountdown)
{
    ParticleSystem burst(0, 0, 0);
    burst.initBuffers();
    EXPECT_EQ(drawCountingTriangles(burst), 0u);
    EXPECT_EQ(redPixels(), 0);

    burst.update(0.016f);
    EXPECT_EQ(drawCountingTriangles(burst), 320u);
    clear();
    for (int i = 1; i < 1500; ++i)
        burst.update(0.016f);
    EXPECT_EQ(drawCountingTriangles(burst), 0u);
    EXPECT_EQ(redPixels(), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ParticleDrawing, AReplacedBurstReleasesItsObjectsOnce)
{
    CreatureList creatures;
    CollisionChecker checker(creatures);
    checker.effect = std::make_unique<ParticleSystem>(0, 0, 0);
    checker.effect->initBuffers();
    const GLuint oldArray = checker.effect->vertexArray.get();
    const GLuint oldBuffers[3] = {checker.effect->quadBuffer.get(), checker.effect->positionBuffer.get(),
                                  checker.effect->colorBuffer.get()};
    ASSERT_TRUE(glIsVertexArray(oldArray));

    auto next = std::make_unique<ParticleSystem>(5, 0, 0);
    next->initBuffers();
    checker.effect = std::move(next);
    EXPECT_FALSE(glIsVertexArray(oldArray));
    for (GLuint buffer : oldBuffers)
        EXPECT_FALSE(glIsBuffer(buffer));

    // A moved system hands its objects on: the new owner still draws, the old one owns nothing.
    ParticleSystem moved = std::move(*checker.effect);
    EXPECT_EQ(checker.effect->vertexArray.get(), 0u);
    moved.update(0.016f);
    EXPECT_EQ(drawCountingTriangles(moved), 320u);
    checker.effect->draw(); // owns nothing: draws nothing
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
