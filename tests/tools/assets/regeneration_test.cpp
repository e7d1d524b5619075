// The generator writes the committed data tree byte for byte: nothing was edited by hand, and a
// change to the generator shows up here until its output is committed.

#include "tests/support/run_program.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The sounds beside the models come from their own generator and are checked with it.
const fs::path otherGenerators = "Sounds";

std::set<std::string> filesUnder(const fs::path& root)
{
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const fs::path relative = fs::relative(entry.path(), root);
        if (entry.is_regular_file() && *relative.begin() != otherGenerators)
            files.insert(relative.string());
    }
    return files;
}

class Regeneration : public ::testing::Test {
protected:
    void SetUp() override
    {
        out = fs::temp_directory_path() / ("quarvel_assetgen_" + std::to_string(::getpid()));
        fs::remove_all(out);
    }
    void TearDown() override { fs::remove_all(out); }
    fs::path out;
};

TEST_F(Regeneration, ReproducesTheCommittedFilesByteForByte)
{
    const ProgramResult run = runProgram(QUARVEL_ASSETGEN, {out.string()}, sourceDir(), {}, 120);
    ASSERT_EQ(run.status, 0) << run.err;
    const fs::path committed = fs::path(sourceDir()) / "QUARVEL" / "Ressources";
    const std::set<std::string> made = filesUnder(out);
    EXPECT_EQ(made, filesUnder(committed));
    for (const std::string& file : made)
        EXPECT_TRUE(contents(out / file) == contents(committed / file)) << file << " differs from the generator's output";
}

TEST_F(Regeneration, ReproducesTheCommittedIconsByteForByte)
{
    const ProgramResult run = runProgram(QUARVEL_ASSETGEN, {"--icons", out.string()}, sourceDir(), {}, 120);
    ASSERT_EQ(run.status, 0) << run.err;
    const fs::path committed = fs::path(sourceDir()) / "install" / "icons";
    const std::set<std::string> made = filesUnder(out);
    EXPECT_EQ(made, filesUnder(committed));
    EXPECT_EQ(made.count("hicolor/256x256/apps/quarvel.png"), 1u);
    for (const std::string& file : made)
        EXPECT_TRUE(contents(out / file) == contents(committed / file)) << file << " differs from the generator's output";
}

TEST_F(Regeneration, RefusesAMissingOutputFolderArgument)
{
    const ProgramResult run = runProgram(QUARVEL_ASSETGEN, {}, sourceDir());
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("usage"), std::string::npos);
}

} // namespace
