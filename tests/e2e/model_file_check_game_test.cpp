// The real game on a copy of its data with model files that crash the importer: they are left out and
// the game plays on.

#include "tests/assets/damaged_models.hpp"
#include "tests/e2e/data_copy.hpp"
#include "tests/e2e/game_test.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/temp_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

// The real game on a copy of its data where the stone and beetle-marker model's material file crashes
// the importer and the squirrel's model overflows its stack: both are reported once on standard error,
// every model of those files fails as an import does, and the game plays on.
class ModelFileCheckGame : public GameTest {};

TEST_F(ModelFileCheckGame, ModelsThatCrashTheImporterAreLeftOutAndPlayGoesOn)
{
    DataCopy data;
    const std::string material = "QUARVEL/Ressources/Stones/quad.mtl";
    data.replace(material, "map_Kd burger.png\n" + readWholeFile(data.path() + "/" + material));
    data.replace("QUARVEL/Ressources/Models/bakedsq.dae", selfInstancingDae);

    GameTestSession& game = start({.workingDirectory = data.path()});
    ASSERT_TRUE(game.waitUntilPlaying()) << game.output() << game.errors();
    EXPECT_TRUE(game.holdUntil("p", "Spawning on ", 30.0)); // a mass spawn of beetles, each with the quad marker
    EXPECT_TRUE(game.waitForOutput("ERROR::ASSIMP:: the importer crashed on \"QUARVEL/Ressources/Stones/quad.obj\"",
                                   30.0))
        << game.output().substr(0, 2000);
    EXPECT_TRUE(game.holdUntil("space", "HAHA", 30.0));
    EXPECT_EQ(game.quit(), 0) << game.errors();

    const std::string errors = game.errors();
    EXPECT_EQ(occurrences(errors, "Model file check: the importer crashed on \"QUARVEL/Ressources/Stones/quad.obj\""), 1)
        << errors;
    EXPECT_EQ(occurrences(errors, "Model file check: the importer crashed on \"QUARVEL/Ressources/Models/bakedsq.dae\""),
              1)
        << errors;
    EXPECT_TRUE(fs::exists(game.cacheHome() + "/quarvel/model-check"));
}

} // namespace
