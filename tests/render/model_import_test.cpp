// Damaged model files: every index read from a file is checked, what is out of range is left out with one
// note on standard error, the rest still draws, and no vertex is left with a normal that lights as NaN.

#include "render/model.hpp"
#include "assets/model_import.hpp"
#include "render/shader_program.hpp"
#include "tests/render/model_fixture.hpp"
#include "tests/render/render_test_support.hpp"

#include <assimp/Exporter.hpp>
#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

namespace {

constexpr unsigned columnTriangles = 20;
constexpr unsigned columnVertices = 60;

// The test column with two bones, changed by damage and written in the importer's own binary format,
// which hands every index back exactly as written.
void writeDamagedColumn(const std::string& path, const std::function<void(aiScene&)>& damage)
{
    Assimp::Importer importer;
    const std::string column = sourcePath("tests/data/render/two_bones.dae");
    const aiScene* scene = importer.ReadFile(column, ModelImport::importFlags);
    ASSERT_NE(scene, nullptr) << importer.GetErrorString();
    damage(*const_cast<aiScene*>(scene));
    Assimp::Exporter exporter;
    ASSERT_EQ(exporter.Export(scene, "assbin", path), aiReturn_SUCCESS) << exporter.GetErrorString();
}

int linesContaining(const std::string& text, const std::string& part)
{
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

bool litWithoutNaN(const Vertex& v)
{
    return std::isfinite(v.normal.x) && std::isfinite(v.normal.y) && std::isfinite(v.normal.z) &&
           std::abs(glm::length(v.normal) - 1.0f) < 1e-5f;
}

class ModelImportTest : public ModelFixture {
protected:
    // Triangles the model draws, and what its import wrote on standard error.
    static GLuint drawnTriangles(const std::string& path, std::string& errors)
    {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        Model model(path);
        errors = testing::internal::GetCapturedStderr();
        testing::internal::GetCapturedStdout();
        glUseProgram(program->id);
        return trianglesDrawnBy([&] { model.draw(*program); });
    }

    ScratchDir dir{true};
};


TEST_F(ModelImportTest, IndicesOutOfRangeAreLeftOutAndTheRestDraws)
{
    writeDamagedColumn("column.assbin", [](aiScene& scene) {
        aiMesh& mesh = *scene.mMeshes[0];
        mesh.mFaces[0].mIndices[1] = 40000;
        mesh.mBones[1]->mWeights[0].mVertexId = 50000;
        mesh.mMaterialIndex = 9;
    });

    testing::internal::CaptureStdout();
    const std::shared_ptr<ModelImport> import = ModelImport::read("column.assbin");
    testing::internal::GetCapturedStdout();
    ASSERT_FALSE(import->failed()) << import->error();
    ASSERT_EQ(import->parts().size(), 1u);
    const ModelImport::MeshPart& part = import->parts()[0];
    EXPECT_EQ(part.indices.size(), 3u * (columnTriangles - 1));
    for (unsigned index : part.indices)
        EXPECT_LT(index, columnVertices);
    EXPECT_TRUE(part.textures.empty()) << "no material to name them";
    EXPECT_EQ(import->repairs().faces, 1u);
    EXPECT_EQ(import->repairs().boneWeights, 1u);
    EXPECT_EQ(import->repairs().materials, 1u);

    std::string errors;
    EXPECT_EQ(drawnTriangles("column.assbin", errors), columnTriangles - 1);
    EXPECT_EQ(linesContaining(errors, "Model column.assbin is damaged: left out 1 faces"), 1) << errors;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ModelImportTest, AMeshReferenceOutOfRangeLeavesThatMeshOut)
{
    writeDamagedColumn("column.assbin", [](aiScene& scene) {
        aiNode* column = scene.mRootNode->FindNode("Column");
        column->mMeshes[0] = 7;
    });

    std::string errors;
    EXPECT_EQ(drawnTriangles("column.assbin", errors), 0u);
    EXPECT_EQ(linesContaining(errors, "left out 1 mesh references"), 1) << errors;
}

TEST_F(ModelImportTest, MissingAndZeroNormalsAreComputedFromTheFaces)
{
    // A square in the z = 0 plane, counter-clockwise seen from +z: without normals, and with a zero one.
    const std::string square = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";
    writeText("bare.obj", square + "f 1 2 3 4\n");
    writeText("zero.obj", square + "vn 0 0 0\nf 1//1 2//1 3//1 4//1\n");

    for (const char* file : {"bare.obj", "zero.obj"}) {
        const std::shared_ptr<ModelImport> import = ModelImport::read(file);
        ASSERT_EQ(import->parts().size(), 1u) << file;
        for (const Vertex& v : import->parts()[0].vertices) {
            EXPECT_TRUE(litWithoutNaN(v)) << file;
            EXPECT_FLOAT_EQ(v.normal.z, 1.0f) << file;
        }
        EXPECT_EQ(import->repairs().normals, 4u) << file;
    }
}

} // namespace
