// Model files that crash or hang the importer library: found in helper processes before the game
// opens its window, remembered by size and modification time, and left out of an otherwise normal game.
// This test program has no GL window of its own, so its helpers fork a process with a single thread,
// as the game's do.

#include "render/model_file_check.hpp"
#include "tests/render/render_test_support.hpp"
#include "tests/support/game_session.hpp"
#include "tests/support/run_program.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using Kind = ModelVerdict::Kind;

const std::string triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\n";

// A material file whose texture line comes before the first material: the importer dereferences null.
void writeCrashingObj(const std::string& name)
{
    writeText(name + ".mtl", "map_Kd look.png\nnewmtl skin\n");
    writeText(name + ".obj", "mtllib " + name + ".mtl\n" + triangle + "usemtl skin\nf 1//1 2//1 3//1\n");
}

// A node that instances itself: the importer recurses until the stack runs out.
const std::string selfInstancingDae = R"(<?xml version="1.0" encoding="utf-8"?>
<COLLADA xmlns="http://www.collada.org/2005/11/COLLADASchema" version="1.4.1">
  <library_nodes><node id="loop" name="loop"><instance_node url="#loop"/></node></library_nodes>
  <library_visual_scenes><visual_scene id="scene"><node id="top"><instance_node url="#loop"/></node></visual_scene></library_visual_scenes>
  <scene><instance_visual_scene url="#scene"/></scene>
</COLLADA>
)";

// The test column with a letter in its index list: the importer loops while its memory grows.
void writeEndlessDae(const std::string& path)
{
    std::ifstream in(sourcePath("tests/data/render/two_bones.dae"));
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t list = text.find("<p>0 0 0 5");
    ASSERT_NE(list, std::string::npos);
    text.replace(list, 10, "<p>0 0 0 x5");
    writeText(path, text);
}

// Small limits keep a hanging helper short.
constexpr ImportLimits testLimits{1, 30.0, std::size_t{256} << 20};

class ModelFileCheckTest : public testing::Test {
protected:
    Kind verdictOf(const std::string& file)
    {
        const std::vector<ModelFileCheck::Finding> found = ModelFileCheck(record, testLimits).check({file});
        return found.at(0).verdict.kind;
    }

    ScratchDir dir{true};
    std::string record = dir.file("cache/quarvel/model-check");
};

TEST_F(ModelFileCheckTest, FilesThatCrashOrHangTheImporterAreFoundAndTheOthersImport)
{
    writeText("good.obj", triangle + "f 1//1 2//1 3//1\n");
    writeText("broken.obj", triangle + "f 1 2 9\n");
    writeCrashingObj("crash");
    writeText("self.dae", selfInstancingDae);
    writeEndlessDae("endless.dae");

    const auto start = std::chrono::steady_clock::now();
    const std::vector<std::string> files = ModelFileCheck::modelFilesUnder(".");
    ASSERT_EQ(files, (std::vector<std::string>{"broken.obj", "crash.obj", "endless.dae", "good.obj", "self.dae"}))
        << "material files and textures are not models";
    const std::vector<ModelFileCheck::Finding> found = ModelFileCheck(record, testLimits).check(files);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    ASSERT_EQ(found.size(), files.size());
    EXPECT_EQ(found[0].verdict.kind, Kind::Fails);
    EXPECT_EQ(found[0].verdict.message, "OBJ: vertex index out of range") << "the importer's own words";
    EXPECT_EQ(found[1].verdict.kind, Kind::Crashes);
    EXPECT_NE(found[1].verdict.message.find("\"crash.obj\""), std::string::npos) << found[1].verdict.message;
    // Out of memory (a clean failure) or out of processor time, whichever comes first.
    EXPECT_NE(found[2].verdict.kind, Kind::Imports);
    EXPECT_NE(found[2].verdict.kind, Kind::Crashes) << found[2].verdict.message;
    EXPECT_EQ(found[3].verdict.kind, Kind::Imports);
    EXPECT_EQ(found[4].verdict.kind, Kind::Crashes);
    EXPECT_LT(seconds, 25.0) << "every helper ended within its limits";
}

TEST_F(ModelFileCheckTest, AVerdictHoldsUntilTheFileOrItsMaterialChanges)
{
    writeCrashingObj("crash");
    writeText("good.obj", triangle + "f 1//1 2//1 3//1\n");
    ASSERT_EQ(verdictOf("crash.obj"), Kind::Crashes);
    ASSERT_EQ(verdictOf("good.obj"), Kind::Imports);
    ASSERT_TRUE(fs::exists(record));

    // Same size and time: the record answers without importing (a crashing file would say otherwise).
    const fs::file_time_type time = fs::last_write_time("good.obj");
    writeText("good.obj", triangle + "f 1//1 2//1 9//1\n");
    fs::last_write_time("good.obj", time);
    EXPECT_EQ(verdictOf("good.obj"), Kind::Imports);

    // Mending the material file alone is noticed: it was read by the import.
    writeText("crash.mtl", "newmtl skin\nmap_Kd look.png\n");
    EXPECT_EQ(verdictOf("crash.obj"), Kind::Imports);
}

TEST_F(ModelFileCheckTest, TheRecordLivesInTheUsersCacheFolder)
{
    const char* saved = std::getenv("XDG_CACHE_HOME");
    const std::string previous = saved != nullptr ? saved : "";
    setenv("XDG_CACHE_HOME", "/somewhere/cache", 1);
    EXPECT_EQ(ModelCheckRecord::defaultFile(), "/somewhere/cache/quarvel/model-check");
    setenv("XDG_CACHE_HOME", "relative/cache", 1);
    EXPECT_EQ(ModelCheckRecord::defaultFile(), std::string(std::getenv("HOME")) + "/.cache/quarvel/model-check");
    if (saved != nullptr)
        setenv("XDG_CACHE_HOME", previous.c_str(), 1);
    else
        unsetenv("XDG_CACHE_HOME");
}

// The real game on a copy of its data where the stone and beetle-marker model's material file crashes
// the importer and the squirrel's model overflows its stack: both are reported once on standard error,
// every model of those files fails as an import does, and the game plays on.
TEST(ModelFileCheckGame, ModelsThatCrashTheImporterAreLeftOutAndPlayGoesOn)
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
    setenv("XDG_CACHE_HOME", data.file("cache").c_str(), 1);

    GameSession game({}, data.path().string());
    ASSERT_TRUE(game.waitForWindow()) << game.output() << game.errors();
    game.hold("p", 0.1); // a mass spawn of beetles, each with the quad marker
    EXPECT_TRUE(game.waitForOutput("Spawning on ", 30.0));
    EXPECT_TRUE(game.waitForOutput("ERROR::ASSIMP:: the importer crashed on \"QUARVEL/Ressources/Stones/quad.obj\"",
                                   30.0))
        << game.output().substr(0, 2000);
    game.hold("space", 2.0);
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0) << game.errors();

    const std::string errors = game.errors();
    EXPECT_EQ(occurrences(errors, "Model file check: the importer crashed on \"QUARVEL/Ressources/Stones/quad.obj\""), 1)
        << errors;
    EXPECT_EQ(occurrences(errors, "Model file check: the importer crashed on \"QUARVEL/Ressources/Models/bakedsq.dae\""),
              1)
        << errors;
    EXPECT_TRUE(fs::exists(data.path() / "cache/quarvel/model-check"));
    unsetenv("XDG_CACHE_HOME");
}

} // namespace

// No GL window here: the checks fork this process, which must have a single thread when they do.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
