// The real game on a copy of its data with model files that crash the importer: they are left out and
// the game plays on.

#include "tests/assets/damaged_models.hpp"
#include "tests/e2e/game_test.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/scratch_dir.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// The real game on a copy of its data where the stone and beetle-marker model's material file crashes
// the importer and the squirrel's model overflows its stack: both are reported once on standard error,
// every model of those files fails as an import does, and the game plays on.
class ModelFileCheckGame : public GameTest {};

TEST_F(ModelFileCheckGame, ModelsThatCrashTheImporterAreLeftOutAndPlayGoesOn)
{
    ScratchDir data;
    fs::copy(sourceDir() + "/QUARVEL", data.path() / "QUARVEL", fs::copy_options::recursive);
    for (const char* font : {"digital-7.ttf", "Crickx.otf"})
        fs::copy_file(fs::path(sourceDir()) / font, data.path() / font);
    const fs::path stones = data.path() / "QUARVEL/Ressources/Stones";
    std::ifstream in(stones / "quad.mtl");
    const std::string material((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    writeText((stones / "quad.mtl").string(), "map_Kd burger.png\n" + material);
    writeText((data.path() / "QUARVEL/Ressources/Models/bakedsq.dae").string(), selfInstancingDae);

    GameTestSession& game = start({.workingDirectory = data.path().string()});
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
