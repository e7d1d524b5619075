#include "render/model.hpp"
#include "render/render_state.hpp"
#include "render/shader_program.hpp"
#include "tests/render/model_fixture.hpp"
#include "tests/render/render_test_support.hpp"

#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>

namespace {

// A unit cube as an OBJ object: 8 corners, 6 normals, 4 texture corners (optional), 12 triangles.
// firstIndex is the OBJ index of this object's first corner (indices are file-wide).
std::string cubeObject(const std::string& name, const std::string& material, bool withUv, int firstIndex = 1)
{
    std::ostringstream obj;
    obj << "o " << name << "\n";
    for (int i = 0; i < 8; ++i)
        obj << "v " << (i & 1) << " " << ((i >> 1) & 1) << " " << ((i >> 2) & 1) << "\n";
    if (withUv)
        obj << "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n";
    obj << "vn -1 0 0\nvn 1 0 0\nvn 0 -1 0\nvn 0 1 0\nvn 0 0 -1\nvn 0 0 1\n";
    if (!material.empty())
        obj << "usemtl " << material << "\n";
    // Each face: four corners (bit patterns) and its normal.
    const int faces[6][4] = {{0, 4, 6, 2}, {1, 3, 7, 5}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 2, 3, 1}, {4, 5, 7, 6}};
    const int uvBase = (firstIndex - 1) / 8 * 4 + 1;
    const int normalBase = (firstIndex - 1) / 8 * 6 + 1;
    for (int f = 0; f < 6; ++f) {
        obj << "f";
        for (int c = 0; c < 4; ++c) {
            obj << " " << firstIndex + faces[f][c] << "/";
            if (withUv)
                obj << uvBase + c;
            obj << "/" << normalBase + f;
        }
        obj << "\n";
    }
    return obj.str();
}

// 2 x 2 pixels: red, green / blue, white.
const std::vector<unsigned char> quadrantPixels = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};

std::vector<unsigned char> texturePixels(GLuint texture, int& width, int& height)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width * height * 3));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return pixels;
}

class ModelTest : public ModelFixture {
protected:
    // A model that is its own file, loaded with its output kept out of the test log.
    static Model quietModel(const std::string& path)
    {
        testing::internal::CaptureStdout();
        Model model(path);
        testing::internal::GetCapturedStdout();
        return model;
    }

    ScratchDir dir{true};
};


TEST_F(ModelTest, ImportsTrianglesNormalsAndFlippedTextureCoordinates)
{
    writeText("box.obj", cubeObject("box", "", true));
    const Model model("box.obj");

    ASSERT_FALSE(model.empty());
    ASSERT_EQ(model.meshes().size(), 1u);
    const Mesh& mesh = model.meshes()[0];
    EXPECT_EQ(mesh.indices().size(), 36u);
    for (const Vertex& v : mesh.vertices()) {
        EXPECT_FLOAT_EQ(glm::length(v.normal), 1.0f);
        EXPECT_EQ(v.boneWeights, glm::vec4(0.0f));
    }
    // The file's first corner has vt (0 0); the import flips v.
    EXPECT_EQ(mesh.vertices()[0].texCoords, glm::vec2(0.0f, 1.0f));
    EXPECT_EQ(model.animator(), nullptr);
}

TEST_F(ModelTest, ATextureFileNamedTwiceIsLoadedOnce)
{
    writePng("shared.png", 2, 2, 3, quadrantPixels);
    writeText("pair.mtl", "newmtl both\nmap_Kd shared.png\nmap_Ks shared.png\n"
                          "newmtl plain\nmap_Kd shared.png\n");
    writeText("pair.obj", "mtllib pair.mtl\n" + cubeObject("a", "both", true) + cubeObject("b", "plain", true, 9));
    const Model model("pair.obj");

    ASSERT_EQ(model.meshes().size(), 2u);
    ASSERT_EQ(model.texturesLoaded().size(), 1u);
    const GLuint id = model.texturesLoaded()[0].id;
    const std::vector<Texture>& first = model.meshes()[0].textures();
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].type, "texture_diffuse");
    EXPECT_EQ(first[1].type, "texture_specular");
    EXPECT_EQ(first[0].id, id);
    EXPECT_EQ(first[1].id, id);
    EXPECT_EQ(first[0].path, "shared.png");
    ASSERT_EQ(model.meshes()[1].textures().size(), 1u);
    EXPECT_EQ(model.meshes()[1].textures()[0].id, id);
}

TEST_F(ModelTest, TexturesAreReadBesideTheModelFile)
{
    std::filesystem::create_directory("sub");
    writePng("sub/look.png", 2, 2, 3, quadrantPixels);
    writeText("sub/box.mtl", "newmtl look\nmap_Kd look.png\n");
    writeText("sub/box.obj", "mtllib box.mtl\n" + cubeObject("box", "look", true));
    const Model model("sub/box.obj");

    EXPECT_EQ(model.directory(), "sub");
    ASSERT_EQ(model.texturesLoaded().size(), 1u);
    int width = 0, height = 0;
    EXPECT_EQ(texturePixels(model.texturesLoaded()[0].id, width, height), quadrantPixels);
}

TEST_F(ModelTest, ABareFileNameReadsItsTexturesFromTheWorkingDirectory)
{
    writePng("look.png", 2, 2, 3, quadrantPixels);
    writeText("box.mtl", "newmtl look\nmap_Kd look.png\n");
    writeText("box.obj", "mtllib box.mtl\n" + cubeObject("box", "look", true));
    const Model model("box.obj");

    EXPECT_EQ(model.directory(), ".");
    ASSERT_EQ(model.texturesLoaded().size(), 1u);
    int width = 0, height = 0;
    EXPECT_EQ(texturePixels(model.texturesLoaded()[0].id, width, height), quadrantPixels);
    EXPECT_EQ(width, 2);
}

TEST_F(ModelTest, AMeshWithoutTextureCoordinatesGetsZeroes)
{
    writeText("bare.obj", cubeObject("bare", "", false));
    const Model model("bare.obj");

    ASSERT_EQ(model.meshes().size(), 1u);
    for (const Vertex& v : model.meshes()[0].vertices())
        EXPECT_EQ(v.texCoords, glm::vec2(0.0f));
}

TEST_F(ModelTest, AFailedImportIsReportedEachTimeAndDrawsNothing)
{
    std::unique_ptr<Model> model;
    const std::string out = stdoutOf([&] { model = std::make_unique<Model>("no/such/model.obj"); });

    EXPECT_EQ(out.rfind("ERROR::ASSIMP:: ", 0), 0u) << out;
    EXPECT_GT(out.size(), std::string("ERROR::ASSIMP:: \n").size()) << "the importer's reason follows";
    EXPECT_EQ(out.back(), '\n');
    EXPECT_TRUE(model->empty());
    EXPECT_TRUE(model->meshes().empty());

    glUseProgram(program->id);
    EXPECT_EQ(trianglesDrawnBy([&] { model->draw(*program); }), 0u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    const std::string again = stdoutOf([] { Model retry("no/such/model.obj"); });
    EXPECT_EQ(again, out) << "every model of the file reports the failure";
}

TEST_F(ModelTest, AFailedImportIsRememberedWithoutReadingTheFileAgain)
{
    writeText("broken.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 9\n");
    const std::string first = stdoutOf([] { Model model("broken.obj"); });
    ASSERT_EQ(first.rfind("ERROR::ASSIMP:: ", 0), 0u) << first;

    writeText("broken.obj", cubeObject("box", "", false)); // a mended file is not looked at again
    std::unique_ptr<Model> again;
    EXPECT_EQ(stdoutOf([&] { again = std::make_unique<Model>("broken.obj"); }), first);
    EXPECT_TRUE(again->empty());

    Model::rememberFailure("box.obj", "known to crash the importer");
    EXPECT_EQ(stdoutOf([] { Model model("box.obj"); }), "ERROR::ASSIMP:: known to crash the importer\n")
        << "a file found unsafe is never read";
}

TEST_F(ModelTest, ModelsMadeAfterTheFilterSwitchMagnifyWithTheNewFilter)
{
    writePng("look.png", 2, 2, 3, quadrantPixels);
    writeText("box.mtl", "newmtl look\nmap_Kd look.png\n");
    writeText("box.obj", "mtllib box.mtl\n" + cubeObject("box", "look", true));
    const auto magnification = [](const Model& model) {
        GLint filter = 0;
        glBindTexture(GL_TEXTURE_2D, model.texturesLoaded().at(0).id);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
        glBindTexture(GL_TEXTURE_2D, 0);
        return filter;
    };

    linearFiltering = true;
    const Model before("box.obj");
    linearFiltering = false;
    const Model after("box.obj");
    const Model alsoAfter("box.obj");
    linearFiltering = true;
    const Model back("box.obj");

    EXPECT_EQ(magnification(before), GL_LINEAR);
    EXPECT_EQ(magnification(after), GL_NEAREST);
    EXPECT_EQ(after.scene(), before.scene()) << "the file is imported once";
    EXPECT_EQ(alsoAfter.texturesLoaded()[0].id, after.texturesLoaded()[0].id);
    EXPECT_EQ(back.texturesLoaded()[0].id, before.texturesLoaded()[0].id);
    EXPECT_EQ(back.meshes()[0].vao(), before.meshes()[0].vao());
}

TEST_F(ModelTest, TheSamePathIsImportedOnceAndSharedUntilTheCacheIsCleared)
{
    writeText("once.obj", cubeObject("once", "", true));
    const Model first("once.obj");
    std::filesystem::remove("once.obj");

    const Model second("once.obj"); // the file is gone: only the cache can serve it
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(second.meshes()[0].vao(), first.meshes()[0].vao());
    EXPECT_EQ(second.scene(), first.scene());

    Model::clearCache();
    const std::string out = stdoutOf([] { Model third("once.obj"); });
    EXPECT_EQ(out.rfind("ERROR::ASSIMP:: ", 0), 0u);
}

TEST_F(ModelTest, CopiesShareGlObjectsWhichGoWithTheLastCopy)
{
    writePng("look.png", 2, 2, 3, quadrantPixels);
    writeText("box.mtl", "newmtl look\nmap_Kd look.png\n");
    writeText("box.obj", "mtllib box.mtl\n" + cubeObject("box", "look", true));
    auto original = std::make_unique<Model>("box.obj");
    auto copy = std::make_unique<Model>(*original);
    const GLuint vao = original->meshes()[0].vao();
    const GLuint texture = original->texturesLoaded()[0].id;
    EXPECT_EQ(copy->meshes()[0].vao(), vao);

    Model::clearCache();
    original.reset();
    EXPECT_TRUE(glIsVertexArray(vao)) << "a copy still draws with it";
    EXPECT_TRUE(glIsTexture(texture));
    copy.reset();
    EXPECT_FALSE(glIsVertexArray(vao));
    EXPECT_FALSE(glIsTexture(texture));
}

TEST_F(ModelTest, EveryMeshIsDrawnExactlyOnce)
{
    writeText("two.obj", cubeObject("a", "", true) + cubeObject("b", "", true, 9));
    Model model("two.obj");
    ASSERT_EQ(model.meshes().size(), 2u);

    glUseProgram(program->id);
    EXPECT_EQ(trianglesDrawnBy([&] { model.draw(*program); }), 24u);
}

TEST_F(ModelTest, AStaticModelDrawsWithSixtyIdentityBones)
{
    writeText("box.obj", cubeObject("box", "", true));
    Model model("box.obj");
    glUseProgram(program->id);
    const GLint bones = program->uniform("bones");
    std::vector<glm::mat4> garbage(Model::maxBones, glm::mat4(7.0f));
    glUniformMatrix4fv(bones, Model::maxBones, GL_FALSE, glm::value_ptr(garbage[0]));

    model.draw(*program);

    for (int slot : {0, 1, 59}) {
        glm::mat4 read(0.0f);
        const std::string name = "bones[" + std::to_string(slot) + "]";
        glGetUniformfv(program->id, glGetUniformLocation(program->id, name.c_str()), glm::value_ptr(read));
        EXPECT_EQ(read, glm::mat4(1.0f)) << "bones[" << slot << "]";
    }
}

} // namespace
