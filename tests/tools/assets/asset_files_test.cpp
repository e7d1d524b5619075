// Every model file imports as the game imports it, with normals, texture coordinates and a diffuse
// texture per mesh that exists beside it and decodes; the data tree stays small.

#include "tests/support/run_program.hpp"
#include "tests/tools/assets/imported_model.hpp"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

constexpr std::uintmax_t dataTreeBudget = 5u * 1024u * 1024u;  // bytes under QUARVEL/
constexpr int smallestTexture = 128, largestTexture = 512;      // pixels per side

struct ModelFile {
    const char* path;  // under QUARVEL/Ressources
    unsigned meshes;   // one per material used
};

const ModelFile modelFiles[] = {
    {"Stones/quad.obj", 1},       {"Stones/tex_z.obj", 3},      {"Stones/tex_i.obj", 2},
    {"Stones/tex_L.obj", 2},      {"Stones/tex_t.obj", 3},      {"Stones/fathirsch.obj", 2},
    {"Models/field2.obj", 3},     {"Models/fewtrees.obj", 3},   {"Models/fewtreesnearobj.obj", 3},
    {"Models/schatztruhe-truhe.obj", 5}, {"Models/schatztruhe-crown.obj", 5}, {"Models/diamant1.obj", 1},
    {"Models/diamant2.obj", 1},   {"Models/coins.obj", 2},      {"Models/schatztruhe-necklace.obj", 3},
    {"Models/bakedsq.dae", 1},
};

void PrintTo(const ModelFile& f, std::ostream* out) { *out << f.path; }

class ModelFileTest : public ::testing::TestWithParam<ModelFile> {};

TEST_P(ModelFileTest, ImportsWithNormalsTextureCoordinatesAndADecodableDiffuseTexture)
{
    const ImportedModel model(ressource(GetParam().path));
    ASSERT_TRUE(model.loaded()) << model.error();
    const aiScene* scene = model.scene();
    EXPECT_EQ(scene->mNumMeshes, GetParam().meshes);
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        const aiMesh* mesh = scene->mMeshes[m];
        SCOPED_TRACE(model.materialName(mesh));
        EXPECT_TRUE(mesh->HasFaces());
        for (unsigned f = 0; f < mesh->mNumFaces; ++f)
            ASSERT_EQ(mesh->mFaces[f].mNumIndices, 3u) << "face " << f;
        ASSERT_TRUE(mesh->HasNormals());
        ASSERT_TRUE(mesh->HasTextureCoords(0));
        for (unsigned v = 0; v < mesh->mNumVertices; ++v)
            ASSERT_NEAR(mesh->mNormals[v].Length(), 1.0f, 0.02f) << "vertex " << v;

        const aiMaterial* material = scene->mMaterials[mesh->mMaterialIndex];
        ASSERT_EQ(material->GetTextureCount(aiTextureType_DIFFUSE), 1u);
        aiString file;
        ASSERT_EQ(material->GetTexture(aiTextureType_DIFFUSE, 0, &file), AI_SUCCESS);
        const std::string name = file.C_Str();
        EXPECT_EQ(name.find('/'), std::string::npos) << "the loader puts the model's folder in front";
        int w = 0, h = 0, channels = 0;
        unsigned char* pixels = stbi_load((model.directory() + "/" + name).c_str(), &w, &h, &channels, 3);
        ASSERT_NE(pixels, nullptr) << name << ": " << stbi_failure_reason();
        stbi_image_free(pixels);
        EXPECT_GE(std::min(w, h), smallestTexture) << name;
        EXPECT_LE(std::max(w, h), largestTexture) << name;
        EXPECT_EQ(w % 4, 0) << name << ": rows stay 4-byte aligned for the game's default unpacking";
    }
}

INSTANTIATE_TEST_SUITE_P(DataTree, ModelFileTest, ::testing::ValuesIn(modelFiles),
                         [](const auto& info) {
                             std::string name = std::filesystem::path(info.param.path).stem().string();
                             for (char& c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST(DataTree, StaysUnderItsSizeBudget)
{
    std::uintmax_t total = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(sourceDir() + "/QUARVEL"))
        if (entry.is_regular_file())
            total += entry.file_size();
    EXPECT_LT(total, dataTreeBudget);
}

// Every file in the model folders belongs to a model: the model itself or a texture it names.
TEST(DataTree, HoldsNoStrayFiles)
{
    std::set<std::string> used;
    for (const ModelFile& f : modelFiles) {
        used.insert(f.path);
        const std::string stem = std::filesystem::path(f.path).replace_extension().string();
        if (std::filesystem::path(f.path).extension() == ".obj")
            used.insert(stem + ".mtl");
        const ImportedModel model(ressource(f.path));
        ASSERT_TRUE(model.loaded()) << f.path;
        const std::string folder = std::filesystem::path(f.path).parent_path().string();
        for (unsigned m = 0; m < model.scene()->mNumMaterials; ++m) {
            aiString file;
            if (model.scene()->mMaterials[m]->GetTexture(aiTextureType_DIFFUSE, 0, &file) == AI_SUCCESS)
                used.insert(folder + "/" + file.C_Str());
        }
    }
    for (const char* folder : {"Stones", "Models"})
        for (const auto& entry : std::filesystem::directory_iterator(ressource(folder))) {
            const std::string name = std::string(folder) + "/" + entry.path().filename().string();
            EXPECT_TRUE(used.count(name)) << name << " is not used by any model";
        }
}

} // namespace
