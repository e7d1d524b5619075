// Model files that crash or hang the importer library: found in helper processes before the game
// opens its window, and remembered by size and modification time.
// This test program has no GL window of its own, so its helpers fork a process with a single thread,
// as the game's do.

#include "assets/model_file_check.hpp"
#include "tests/assets/damaged_models.hpp"
#include "tests/support/scratch_dir.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using Kind = ModelVerdict::Kind;

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

} // namespace

// No GL window here: the checks fork this process, which must have a single thread when they do.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
