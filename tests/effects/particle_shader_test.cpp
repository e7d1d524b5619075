// The particle program draws instanced camera-facing billboards as soft round dots.
#include "render/shader_program.hpp"
#include "tests/render/render_test_support.hpp"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace {

constexpr float edgePerSize = 40.0f; // world units of billboard edge per unit of particle size

class ParticleShaderTest : public testing::Test {
protected:
    ParticleShaderTest()
    {
        testing::internal::CaptureStdout();
        program = std::make_unique<ShaderProgram>(sourcePath("QUARVEL/Shader/particle.vert"),
                                                  sourcePath("QUARVEL/Shader/particle.frag"));
        testing::internal::GetCapturedStdout();
        glGenVertexArrays(1, &vao);
        glGenBuffers(3, buffers.data());
        glBindVertexArray(vao);
        const float corners[] = {-0.5f, -0.5f, 0, 0.5f, -0.5f, 0, -0.5f, 0.5f, 0, 0.5f, 0.5f, 0};
        glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
        glBufferData(GL_ARRAY_BUFFER, sizeof(corners), corners, GL_STATIC_DRAW);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
        glBindVertexArray(0);
    }
    ~ParticleShaderTest() override
    {
        glDeleteBuffers(3, buffers.data());
        glDeleteVertexArrays(1, &vao);
    }

    // One particle of the given size and colour at the origin, seen from eye, over a black screen.
    std::vector<unsigned char> drawOne(glm::vec3 eye, float size, std::array<unsigned char, 4> colour)
    {
        const float centreAndSize[] = {0, 0, 0, size};
        glBindVertexArray(vao);
        glBindBuffer(GL_ARRAY_BUFFER, buffers[1]);
        glBufferData(GL_ARRAY_BUFFER, sizeof(centreAndSize), centreAndSize, GL_STREAM_DRAW);
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, 0, nullptr);
        glBindBuffer(GL_ARRAY_BUFFER, buffers[2]);
        glBufferData(GL_ARRAY_BUFFER, 4, colour.data(), GL_STREAM_DRAW);
        glEnableVertexAttribArray(2);
        glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, 0, nullptr);
        glVertexAttribDivisor(0, 0);
        glVertexAttribDivisor(1, 1);
        glVertexAttribDivisor(2, 1);

        view = glm::lookAt(eye, glm::vec3(0), glm::vec3(0, 1, 0));
        glUseProgram(program->id);
        glUniformMatrix4fv(program->uniform("projection"), 1, GL_FALSE, glm::value_ptr(projection));
        glUniformMatrix4fv(program->uniform("view"), 1, GL_FALSE, glm::value_ptr(view));
        glUniform3f(program->uniform("CameraRight_worldspace"), view[0][0], view[1][0], view[2][0]);
        glUniform3f(program->uniform("CameraUp_worldspace"), view[0][1], view[1][1], view[2][1]);

        target.bind();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDrawArraysInstanced(GL_TRIANGLE_STRIP, 0, 4, 1);
        glDisable(GL_BLEND);
        glBindVertexArray(0);
        std::vector<unsigned char> pixels = target.pixels();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        return pixels;
    }

    // Red channel where a world point lands on screen.
    int redAt(const std::vector<unsigned char>& pixels, glm::vec3 world) const
    {
        const glm::vec3 w = glm::project(world, view, projection, glm::vec4(0, 0, 1024, 800));
        const int row = 799 - static_cast<int>(w.y);
        return pixels[(static_cast<std::size_t>(row) * 1024 + static_cast<std::size_t>(w.x)) * 3];
    }

    std::unique_ptr<ShaderProgram> program;
    GLuint vao = 0;
    std::array<GLuint, 3> buffers{};
    glm::mat4 projection = glm::perspective(glm::radians(60.0f), 1.28f, 10.0f, 20000.0f);
    glm::mat4 view{1.0f};
    OffscreenTarget target;
};

TEST_F(ParticleShaderTest, AParticleIsARoundDotFadingToItsRim)
{
    const std::vector<unsigned char> pixels = drawOne(glm::vec3(0, 0, 100), 1.0f, {255, 0, 0, 255});
    writePng(shotDirectory() + "/render_particle.png", 1024, 800, 3, pixels);
    const float half = edgePerSize / 2;
    EXPECT_GT(redAt(pixels, glm::vec3(0)), 240) << "opaque in the middle";
    const int between = redAt(pixels, glm::vec3(half * 0.5f, 0, 0));
    EXPECT_GT(between, 40);
    EXPECT_LT(between, 240) << "fading outward";
    EXPECT_LT(redAt(pixels, glm::vec3(half * 0.95f, 0, 0)), 10) << "nothing at the rim";
    EXPECT_EQ(redAt(pixels, glm::vec3(half * 0.8f, half * 0.8f, 0)), 0) << "square corners stay clear";
}

TEST_F(ParticleShaderTest, ParticlesFaceTheCameraFromAnySide)
{
    // Seen along x the billboard still spans the view; a quad fixed in the xy plane would vanish edge-on.
    const std::vector<unsigned char> pixels = drawOne(glm::vec3(100, 30, 0), 1.0f, {255, 0, 0, 255});
    EXPECT_GT(redAt(pixels, glm::vec3(0)), 240);
    const int sideways = redAt(pixels, glm::vec3(0, 0, edgePerSize / 4));
    EXPECT_GT(sideways, 40);
}

TEST_F(ParticleShaderTest, TheColoursAlphaScalesTheDot)
{
    const std::vector<unsigned char> pixels = drawOne(glm::vec3(0, 0, 100), 1.0f, {250, 0, 0, 85});
    EXPECT_NEAR(redAt(pixels, glm::vec3(0)), 250 * 85 / 255, 6);
}

} // namespace
