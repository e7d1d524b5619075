// The game as a player gets it from `cmake --install` into a prefix, started from / (far from its
// data). It finds its data, compiles its eight shaders, loads every file and quits with status 0;
// the desktop entry and the metainfo pass their validators.

#include "tests/install/installed_game_checks.hpp"
#include "tests/support/temp_file.hpp"
#include "tests/support/temp_folder.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace {

namespace fs = std::filesystem;

const std::string buildDir = QUARVEL_BUILD_DIR;
const std::string appId = QUARVEL_APP_ID;
const std::string game = std::string(QUARVEL_INSTALLED_BINDIR) + "/quarvel";

// One install per test process, into a private prefix.
class InstalledGame : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        prefix = std::make_unique<TempFolder>("quarvel-install");
        const ProgramResult r = runProgram(QUARVEL_CMAKE, {"--install", buildDir, "--prefix", prefix->path()}, "/");
        ASSERT_EQ(r.status, 0) << r.out << r.err;
    }
    static void TearDownTestSuite() { prefix.reset(); }
    static fs::path installed(const std::string& file) { return prefix->path() / file; }

    static std::unique_ptr<TempFolder> prefix;
};

std::unique_ptr<TempFolder> InstalledGame::prefix;

TEST_F(InstalledGame, HoldsTheGameItsDataAndWhatADesktopNeeds)
{
    for (const std::string& file : std::vector<std::string>
         {game, "share/quarvel/QUARVEL/Shader/basicvert.vert", "share/quarvel/QUARVEL/Ressources/Models/bakedsq.dae",
          "share/quarvel/digital-7.ttf", "share/quarvel/Crickx.otf", "share/applications/" + appId + ".desktop",
          "share/metainfo/" + appId + ".metainfo.xml", "share/man/man6/quarvel.6.gz",
          "share/icons/hicolor/48x48/apps/quarvel.png", "share/icons/hicolor/256x256/apps/quarvel.png",
          "share/doc/quarvel/copyright", "share/doc/quarvel/changelog.gz"})
        EXPECT_TRUE(fs::is_regular_file(installed(file))) << file;
}

TEST_F(InstalledGame, CompressedManualPageAndChangelogAreTheSameOnEveryBuild)
{
    for (const char* file : {"share/man/man6/quarvel.6.gz", "share/doc/quarvel/changelog.gz"})
        expectGzipWithoutNameOrTime(installed(file));
    const ProgramResult manual = runFromRoot(toolPath("gzip"), {"-dc", installed("share/man/man6/quarvel.6.gz")});
    EXPECT_EQ(manual.out.rfind(".TH QUARVEL 6", 0), 0u) << manual.out.substr(0, 200);
}

TEST_F(InstalledGame, CopyrightIsMachineReadableWithTheLicenceTerms)
{
    const std::string copyright = readWholeFile(installed("share/doc/quarvel/copyright").string());
    EXPECT_EQ(copyright.rfind("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n", 0), 0u);
    EXPECT_NE(copyright.find("\nFiles: *\nCopyright: 2026 The Quarvel developers\nLicense: MIT\n"), std::string::npos)
        << copyright;
    // The terms as DEP-5 writes them: indented by one space, an empty line as " .".
    EXPECT_NE(copyright.find("\nLicense: MIT\n Permission is hereby granted"), std::string::npos) << copyright;
    EXPECT_NE(copyright.find("\n .\n THE SOFTWARE IS PROVIDED \"AS IS\""), std::string::npos) << copyright;
    EXPECT_EQ(copyright.find("\n\n\n"), std::string::npos);
}

TEST_F(InstalledGame, DesktopEntryAndMetainfoPassTheirValidators)
{
    const ProgramResult desktop = runFromRoot(toolPath("desktop-file-validate"), {installed("share/applications/" + appId + ".desktop")});
    EXPECT_EQ(desktop.status, 0) << desktop.out << desktop.err;
    EXPECT_EQ(desktop.out + desktop.err, "");
    const ProgramResult metainfo =
        runFromRoot(toolPath("appstreamcli"), {"validate", "--no-net", installed("share/metainfo/" + appId + ".metainfo.xml")});
    EXPECT_EQ(metainfo.status, 0) << metainfo.out << metainfo.err;
}

TEST_F(InstalledGame, StartsFromRootAndFindsEveryFile)
{
    expectPlaysFromRoot(installed(game));
}

TEST_F(InstalledGame, HelpNamesTheInstalledDataAsUsed)
{
    const ProgramResult r = runFromRoot(installed(game), {"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find(installed("share/quarvel").string() + "   (used)"), std::string::npos) << r.out;
}

} // namespace
