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
    // Folders up to the last slash; a name after it is a file.
    const char* cases[] = {"", "QUARVEL/", "QUARVEL/Ressources/Models/", "QUARVEL/Shader", "digital-7.ttf"};
    for (const std::string made : cases) {
        ScratchDir dir;
        fs::create_directories((dir.path() / made).parent_path());
        std::ofstream(dir.path() / made) << "not a folder";
        if (DataLocator(dir.path(), gameBinary()).find())
            GTEST_SKIP() << "this machine has the game's data installed";
        // The test display is there: a game that went on would open its window and fail at a shader.
        const ProgramResult r = runProgram(gameBinary(), {}, dir.path().string());
        EXPECT_EQ(r.status, missingShaderStatus) << made << r.err;
        EXPECT_EQ(occurrences(r.err, "Quarvel: no game data"), 1) << made << r.err;
        EXPECT_NE(r.err.find(dir.path().string()), std::string::npos) << made << r.err;
        EXPECT_NE(r.err.find(DataLocator::installedDataFolder().string()), std::string::npos) << made << r.err;
        EXPECT_EQ(r.out.find("shader"), std::string::npos) << made << r.out;
        EXPECT_EQ(r.err.find("without sound"), std::string::npos) << made << r.err;
    }
}

} // namespace
