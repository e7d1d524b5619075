// The models stay within the vertex counts the software rasteriser can afford: imported as the game
// imports them (every face corner becomes a vertex), each model and the chest with its treasure
// keep to their budgets. The beetle and its marker are drawn for every beetle in both passes.

#include "tests/tools/assets/imported_model.hpp"

#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>

namespace {

struct Budget {
    const char* path;  // under QUARVEL/Ressources
    unsigned vertices;
};

const Budget budgets[] = {
    {"Stones/fathirsch.obj", 600},          {"Stones/quad.obj", 900},          {"Stones/tex_z.obj", 1200},
    {"Stones/tex_i.obj", 1200},             {"Stones/tex_L.obj", 1200},        {"Stones/tex_t.obj", 1200},
    {"Models/bakedsq.dae", 2500},           {"Models/fewtreesnearobj.obj", 8000}, {"Models/fewtrees.obj", 1000},
    {"Models/coins.obj", 2500},             {"Models/field2.obj", 2000},
};

// The chest and the five pieces of treasure in it, drawn together.
const char* const chestAndTreasure[] = {"Models/schatztruhe-truhe.obj", "Models/schatztruhe-crown.obj",
                                        "Models/schatztruhe-necklace.obj", "Models/diamant1.obj", "Models/diamant2.obj",
                                        "Models/coins.obj"};
constexpr unsigned chestAndTreasureBudget = 9000;

unsigned vertexCount(const std::string& path)
{
    const ImportedModel model(ressource(path));
    EXPECT_TRUE(model.loaded()) << path << ": " << model.error();
    if (!model.loaded())
        return 0;
    unsigned count = 0;
    for (unsigned m = 0; m < model.scene()->mNumMeshes; ++m)
        count += model.scene()->mMeshes[m]->mNumVertices;
    return count;
}

void PrintTo(const Budget& b, std::ostream* out) { *out << b.path; }

class VertexBudget : public ::testing::TestWithParam<Budget> {};

TEST_P(VertexBudget, ModelKeepsToItsBudget)
{
    const unsigned count = vertexCount(GetParam().path);
    EXPECT_GT(count, 0u);
    EXPECT_LE(count, GetParam().vertices);
}

INSTANTIATE_TEST_SUITE_P(Models, VertexBudget, ::testing::ValuesIn(budgets), [](const auto& info) {
    std::string name = std::filesystem::path(info.param.path).stem().string();
    for (char& c : name)
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
});

TEST(VertexBudget, ChestAndTreasureTogetherKeepToTheirBudget)
{
    unsigned total = 0;
    for (const char* path : chestAndTreasure)
        total += vertexCount(path);
    EXPECT_LE(total, chestAndTreasureBudget);
}

// Every model of the data tree has a budget here, so none grows unwatched.
TEST(VertexBudget, CoversEveryModelFile)
{
    for (const char* folder : {"Stones", "Models"})
        for (const auto& entry : std::filesystem::directory_iterator(ressource(folder))) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".obj" && ext != ".dae")
                continue;
            const std::string name = std::string(folder) + "/" + entry.path().filename().string();
            const bool budgeted = std::any_of(std::begin(budgets), std::end(budgets), [&](const Budget& b) { return name == b.path; }) ||
                                  std::any_of(std::begin(chestAndTreasure), std::end(chestAndTreasure),
                                              [&](const char* p) { return name == p; });
            EXPECT_TRUE(budgeted) << name << " has no vertex budget";
        }
}

} // namespace
