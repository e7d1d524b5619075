// Started where no place holds the game's data, the game says where it looked and stops before a
// window or a sound device opens, with a missing shader's status.

#include "platform/data_locator.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/scratch_dir.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

constexpr int missingShaderStatus = 255;

TEST(MissingData, WithoutTheDataTreeTheGameStopsBeforeItsWindowNamingWhereItLooked)
{
    const struct {
        const char* name;
        void (*make)(const fs::path& folder);
    } cases[] = {
        {"an empty folder", [](const fs::path&) {}},
        {"an empty data tree", [](const fs::path& folder) { fs::create_directory(folder / "QUARVEL"); }},
        {"fonts and models but no shaders",
         [](const fs::path& folder) {
             fs::create_directories(folder / "QUARVEL/Ressources/Models");
             std::ofstream(folder / "digital-7.ttf") << "font";
         }},
    };
    for (const auto& c : cases) {
        ScratchDir dir;
        c.make(dir.path());
        if (DataLocator(dir.path(), gameBinary()).find())
            GTEST_SKIP() << "this machine has the game's data installed";
        // The test display is there: a game that went on would open its window and fail at a shader.
        const ProgramResult r = runProgram(gameBinary(), {}, dir.path().string());
        EXPECT_EQ(r.status, missingShaderStatus) << c.name << r.err;
        EXPECT_EQ(occurrences(r.err, "Quarvel: no game data"), 1) << c.name << r.err;
        EXPECT_NE(r.err.find(dir.path().string()), std::string::npos) << c.name << r.err;
        EXPECT_NE(r.err.find(DataLocator::installedDataFolder().string()), std::string::npos) << c.name << r.err;
        EXPECT_EQ(r.out.find("shader"), std::string::npos) << c.name << r.out;
        EXPECT_EQ(r.err.find("without sound"), std::string::npos) << c.name << r.err;
    }
}

} // namespace
