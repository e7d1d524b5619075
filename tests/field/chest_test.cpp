// The chest's treasure, the blocked marker, the ground's placement, and which model each piece is.

#include "field/burger.hpp"
#include "field/cherry.hpp"
#include "field/chest.hpp"
#include "field/plane2.hpp"
#include "tests/field/scratch_files.hpp"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

glm::mat4 placedScaled(const glm::vec3& at, float scale)
{
    return glm::scale(glm::translate(glm::mat4(1.0f), at), glm::vec3(scale));
}

// Switches the working folder to a scratch tree of one-triangle model files, each its own import.
class StandInModels {
public:
    explicit StandInModels(std::initializer_list<const char*> files)
        : previous_(std::filesystem::current_path())
    {
        for (const char* file : files)
            folder_.write(file, triangleObj());
        Model::clearCache();
        std::filesystem::current_path(folder_.path());
    }
    ~StandInModels()
    {
        std::filesystem::current_path(previous_);
        Model::clearCache();
    }

private:
    ScratchFolder folder_{"quarvel-field-models"};
    std::filesystem::path previous_;
};

TEST(Chest, PiecesAreTheLoadedModelsInTheirOrder)
{
    const StandInModels files{"QUARVEL/Ressources/Models/schatztruhe-truhe.obj",
                              "QUARVEL/Ressources/Models/diamant1.obj",
                              "QUARVEL/Ressources/Models/schatztruhe-necklace.obj",
                              "QUARVEL/Ressources/Models/schatztruhe-crown.obj",
                              "QUARVEL/Ressources/Models/coins.obj",
                              "QUARVEL/Ressources/Models/diamant2.obj"};
    const Chest chest;
    const std::set<const aiScene*> imports{chest.chestModel.scene(), chest.diamond1Model.scene(),
                                           chest.necklaceModel.scene(), chest.crownModel.scene(),
                                           chest.coinsModel.scene(), chest.diamond2Model.scene()};
    EXPECT_EQ(imports.size(), 6u);
    EXPECT_EQ(imports.count(nullptr), 0u);
    EXPECT_EQ(chest.treasure[0].scene(), chest.crownModel.scene());
    EXPECT_EQ(chest.treasure[1].scene(), chest.diamond2Model.scene());
    EXPECT_EQ(chest.treasure[2].scene(), chest.coinsModel.scene());
    EXPECT_EQ(chest.treasure[3].scene(), chest.diamond1Model.scene());
    EXPECT_EQ(chest.treasure[4].scene(), chest.necklaceModel.scene());
}

TEST(Chest, LosingPiecesTakesTheLastOneAndStopsWhenEmpty)
{
    Chest chest;
    const glm::mat4 crown = placedScaled({700, -20, 680}, 100); // 20 units below the other pieces
    const glm::mat4 piece = placedScaled({700, 0, 680}, 100);
    EXPECT_EQ(chest.modelMatrix, piece);
    ASSERT_EQ(chest.treasure.size(), 5u);
    EXPECT_EQ(chest.treasureMatrices, (std::vector<glm::mat4>{crown, piece, piece, piece, piece}));
    for (int lost = 0; lost < 3; ++lost)
        chest.removeLastTreasure();
    EXPECT_EQ(chest.treasure.size(), 2u); // crown and diamant2 are left
    EXPECT_EQ(chest.treasureMatrices, (std::vector<glm::mat4>{crown, piece}));
    for (int lost = 0; lost < 4; ++lost) // two more than there are
        chest.removeLastTreasure();
    EXPECT_TRUE(chest.treasure.empty());
    EXPECT_TRUE(chest.treasureMatrices.empty());
}

TEST(Stones, OneClassSharesOneImport)
{
    const StandInModels files{"QUARVEL/Ressources/Stones/quad.obj", "QUARVEL/Ressources/Stones/tex_z.obj"};
    vosk::scene::Burger first;
    vosk::scene::Burger second;
    vosk::scene::Cherry cherry;
    EXPECT_NE(first.model().scene(), nullptr);
    EXPECT_EQ(first.model().scene(), second.model().scene());
    EXPECT_NE(first.model().scene(), cherry.model().scene());
}

TEST(Plane2, StretchesTheFieldModelOverTheField)
{
    const Plane2 ground(1500, 1500);
    EXPECT_NEAR(ground.modelMatrix[3].x, 679.8f, 0.001f);
    EXPECT_NEAR(ground.modelMatrix[3].z, 693.12f, 0.001f);
    EXPECT_EQ(ground.modelMatrix[3].y, 0.0f);
    EXPECT_EQ(ground.modelMatrix[0], glm::vec4(33, 0, 0, 0));
    EXPECT_EQ(ground.modelMatrix[1], glm::vec4(0, 1, 0, 0));
    EXPECT_EQ(ground.modelMatrix[2], glm::vec4(0, 0, 32, 0));
    EXPECT_EQ(ground.shader, nullptr);
}

} // namespace
