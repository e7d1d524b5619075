#include "render/mesh.hpp"
#include "render/mesh_static_program.hpp"
#include "render/render_state.hpp"
#include "render/shader_program.hpp"
#include "render/shadow_map.hpp"
#include "tests/render/render_test_support.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Colour = red of the first diffuse map, green of the second, blue of the specular map, all scaled by
// the shadow test: only right if every sampler reads its own unit.
const char* const probeVertex = R"(#version 330 core
layout(location = 0) in vec3 position;
void main() { gl_Position = vec4(position, 1.0); }
)";
const char* const probeFragment = R"(#version 330 core
uniform sampler2D mat_texture_diffuse1;
uniform sampler2D mat_texture_diffuse2;
uniform sampler2D mat_texture_specular1;
uniform sampler2DShadow gShadowMap;
out vec4 colour;
void main()
{
    vec2 c = vec2(0.5);
    float lit = texture(gShadowMap, vec3(c, 0.0));
    colour = vec4(texture(mat_texture_diffuse1, c).r, texture(mat_texture_diffuse2, c).g,
                  texture(mat_texture_specular1, c).b, 1.0) * lit;
}
)";

GLuint solidTexture(unsigned char r, unsigned char g, unsigned char b)
{
    const unsigned char rgb[3] = {r, g, b};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

// Two triangles over the whole viewport.
Mesh screenQuad(std::vector<Texture> textures)
{
    std::vector<Vertex> corners(4);
    corners[0].position = {-1, -1, 0};
    corners[1].position = {1, -1, 0};
    corners[2].position = {1, 1, 0};
    corners[3].position = {-1, 1, 0};
    return Mesh(corners, {0, 1, 2, 0, 2, 3}, std::move(textures));
}

GLint samplerValue(GLuint program, const char* name)
{
    GLint unit = -1;
    glGetUniformiv(program, glGetUniformLocation(program, name), &unit);
    return unit;
}

GLint boundOnUnit(GLint unit)
{
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
    GLint texture = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    return texture;
}

class MeshTest : public testing::Test {
protected:
    MeshTest()
    {
        stdoutOf([&] { shadowMap.init(); }); // leaves its framebuffer bound: clear it to the far plane
        glClearDepth(1.0);
        glClear(GL_DEPTH_BUFFER_BIT);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        shadowDepthTexture = shadowMap.depthTexture();

        writeText(dir.file("probe.vert"), probeVertex);
        writeText(dir.file("probe.frag"), probeFragment);
        testing::internal::CaptureStdout();
        probe = std::make_unique<ShaderProgram>(dir.file("probe.vert"), dir.file("probe.frag"));
        testing::internal::GetCapturedStdout();
    }
    ~MeshTest() override
    {
        shadowDepthTexture = 0;
        for (GLuint texture : textures)
            glDeleteTextures(1, &texture);
    }

    ScratchDir dir;
    ShadowMap shadowMap;
    std::unique_ptr<ShaderProgram> probe;
    std::vector<GLuint> textures;
};

TEST_F(MeshTest, VerticesAre64BytesWithIntegerBoneIds)
{
    const Mesh mesh = screenQuad({});
    glBindVertexArray(mesh.vao());
    const GLint offsets[5] = {0, 12, 24, 32, 48};
    const GLint sizes[5] = {3, 3, 2, 4, 4};
    for (GLuint location = 0; location < 5; ++location) {
        GLint enabled = 0, stride = 0, size = 0, integer = 0;
        void* pointer = nullptr;
        glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
        glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_STRIDE, &stride);
        glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_SIZE, &size);
        glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_INTEGER, &integer);
        glGetVertexAttribPointerv(location, GL_VERTEX_ATTRIB_ARRAY_POINTER, &pointer);
        EXPECT_TRUE(enabled) << location;
        EXPECT_EQ(stride, 64) << location;
        EXPECT_EQ(size, sizes[location]) << location;
        EXPECT_EQ(integer, location == 3 ? GL_TRUE : GL_FALSE) << location;
        EXPECT_EQ(reinterpret_cast<std::intptr_t>(pointer), offsets[location]) << location;
    }
    glBindVertexArray(0);
}

// Unit 1 belongs to the shadow map: the second material texture goes to unit 2 and is still seen.
TEST_F(MeshTest, MaterialTexturesAndTheShadowMapEachKeepTheirOwnUnit)
{
    textures = {solidTexture(200, 0, 0), solidTexture(0, 150, 0), solidTexture(0, 0, 100)};
    const Mesh mesh = screenQuad({{textures[0], "texture_diffuse", "a.png"},
                                  {textures[1], "texture_diffuse", "b.png"},
                                  {textures[2], "texture_specular", "c.png"}});
    const OffscreenTarget target;
    target.bind();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glUseProgram(probe->id);

    mesh.draw(*probe);

    const std::vector<unsigned char> pixels = target.pixels();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    const std::size_t middle = (400 * 1024 + 512) * 3;
    EXPECT_NEAR(pixels[middle], 200, 1);
    EXPECT_NEAR(pixels[middle + 1], 150, 1);
    EXPECT_NEAR(pixels[middle + 2], 100, 1);
    EXPECT_EQ(samplerValue(probe->id, "mat_texture_diffuse1"), 0);
    EXPECT_EQ(samplerValue(probe->id, "mat_texture_diffuse2"), 2);
    EXPECT_EQ(samplerValue(probe->id, "mat_texture_specular1"), 3);
    EXPECT_EQ(samplerValue(probe->id, "gShadowMap"), 1);
    EXPECT_EQ(boundOnUnit(0), 0) << "material units are emptied after the draw";
    EXPECT_EQ(boundOnUnit(2), 0);
    EXPECT_EQ(boundOnUnit(3), 0);
    EXPECT_EQ(static_cast<GLuint>(boundOnUnit(1)), shadowMap.depthTexture());
    glActiveTexture(GL_TEXTURE0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(MeshTest, AMeshWithoutTexturesStillDrawsWithTheShadowMapOnUnitOne)
{
    testing::internal::CaptureStdout();
    const ShaderProgram scene(sourcePath("QUARVEL/Shader/basicvert.vert"), sourcePath("QUARVEL/Shader/basicfrag.frag"));
    testing::internal::GetCapturedStdout();
    glUseProgram(scene.id);
    const Mesh mesh = screenQuad({});

    EXPECT_EQ(trianglesDrawnBy([&] { mesh.draw(scene); }), 2u);
    EXPECT_EQ(samplerValue(scene.id, "gShadowMap"), 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(MeshTest, AMeshWithoutTexturesBindsNoTextureAndLeavesTheActiveUnit)
{
    textures = {solidTexture(10, 20, 30)};
    glActiveTexture(GL_TEXTURE0 + Mesh::shadowMapUnit);
    glBindTexture(GL_TEXTURE_2D, textures[0]);
    glActiveTexture(GL_TEXTURE3);
    glUseProgram(probe->id);

    screenQuad({}).draw(*probe);

    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    EXPECT_EQ(active, GL_TEXTURE3);
    EXPECT_EQ(static_cast<GLuint>(boundOnUnit(Mesh::shadowMapUnit)), textures[0]);
    EXPECT_EQ(samplerValue(probe->id, "gShadowMap"), 1) << "keeps the draw valid beside the colour sampler";
    glActiveTexture(GL_TEXTURE0);
}

// The depth pass's program has no shadow sampler: the shadow map it may be drawing into stays unbound.
TEST_F(MeshTest, AProgramThatDoesNotSampleTheShadowMapDoesNotGetItBound)
{
    writeText(dir.file("colour.frag"), R"(#version 330 core
uniform sampler2D mat_texture_diffuse1;
out vec4 colour;
void main() { colour = texture(mat_texture_diffuse1, vec2(0.5)); }
)");
    testing::internal::CaptureStdout();
    const ShaderProgram colourOnly(dir.file("probe.vert"), dir.file("colour.frag"));
    testing::internal::GetCapturedStdout();
    textures = {solidTexture(200, 0, 0)};
    glActiveTexture(GL_TEXTURE0 + Mesh::shadowMapUnit);
    glBindTexture(GL_TEXTURE_2D, 0);
    glUseProgram(colourOnly.id);

    screenQuad({{textures[0], "texture_diffuse", "a.png"}}).draw(colourOnly);

    EXPECT_EQ(boundOnUnit(Mesh::shadowMapUnit), 0);
    glActiveTexture(GL_TEXTURE0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The scene program paints its "tint"; its stand-in paints the tint it was handed with red and blue
// swapped, so the colour tells which program drew and that the uniform value came across.
class StandInTest : public MeshTest {
protected:
    StandInTest()
    {
        writeText(dir.file("tint.frag"), "#version 330 core\nuniform vec4 tint;\nout vec4 colour;\n"
                                         "void main() { colour = tint; }\n");
        writeText(dir.file("swapped.frag"), "#version 330 core\nuniform vec4 tint;\nout vec4 colour;\n"
                                            "void main() { colour = tint.bgra; }\n");
        testing::internal::CaptureStdout();
        scene = std::make_unique<ShaderProgram>(dir.file("probe.vert"), dir.file("tint.frag"));
        standIn =
            std::make_unique<StaticMeshProgram>(*scene, dir.file("probe.vert"), dir.file("swapped.frag"));
        testing::internal::GetCapturedStdout();
    }

    // Red and blue of the middle pixel after the mesh drew over a black target with the tint red.
    std::pair<int, int> drawnColour(const Mesh& mesh) const
    {
        const OffscreenTarget target;
        target.bind();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);
        glUseProgram(scene->id);
        glUniform4f(scene->uniform("tint"), 1.0f, 0.0f, 0.0f, 1.0f);
        mesh.draw(*scene);
        const std::vector<unsigned char> pixels = target.pixels();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        const std::size_t middle = (400 * 1024 + 512) * 3;
        return {pixels[middle], pixels[middle + 2]};
    }

    std::unique_ptr<ShaderProgram> scene;
    std::unique_ptr<StaticMeshProgram> standIn;
};

TEST_F(StandInTest, AMeshWithoutBonesDrawsWithTheStandInHoldingTheSceneUniforms)
{
    const Mesh mesh = screenQuad({});
    ASSERT_FALSE(mesh.hasBones());
    EXPECT_EQ(drawnColour(mesh), std::make_pair(0, 255));
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(static_cast<GLuint>(current), scene->id) << "the caller's program is current again";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(StandInTest, AMeshWithBonesAndAnUnpairedProgramDrawWithTheSceneProgram)
{
    std::vector<Vertex> corners = screenQuad({}).vertices();
    corners[2].boneWeights = {0.5f, 0.5f, 0.0f, 0.0f};
    const Mesh skinned(corners, {0, 1, 2, 0, 2, 3}, {});
    ASSERT_TRUE(skinned.hasBones());
    EXPECT_EQ(drawnColour(skinned), std::make_pair(255, 0));

    standIn.reset();
    EXPECT_EQ(scene->withoutBones, nullptr);
    EXPECT_EQ(drawnColour(screenQuad({})), std::make_pair(255, 0));
}

TEST_F(MeshTest, AMeshWithoutIndicesDrawsNothing)
{
    const Mesh mesh(std::vector<Vertex>(3), {}, {});
    glUseProgram(probe->id);
    EXPECT_EQ(trianglesDrawnBy([&] { mesh.draw(*probe); }), 0u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
