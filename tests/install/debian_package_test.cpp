// The Debian package as scripts/package makes it: the game built for /usr in Debian's games layout
// (in a build folder of its own beside the tests, kept between runs), packed with cpack. It holds
// the game in /usr/games with what Debian asks for, lintian finds nothing to report, and the game
// unpacked with dpkg-deb -x starts from /.

#include "tests/install/installed_game_checks.hpp"
#include "tests/support/temp_file.hpp"
#include "tests/support/temp_folder.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const std::string appId = QUARVEL_APP_ID;
const fs::path packageBuild = QUARVEL_PACKAGE_BUILD_DIR;

// The package build's own settings come from install/package_cache.cmake; the generator and the
// compilers are this build's, so ccache serves what this build compiled.
std::vector<std::string> configureArguments()
{
    std::vector<std::string> arguments{"-C", sourceDir() + "/install/package_cache.cmake", "-S", sourceDir(),
                                       "-B", packageBuild.string()};
    std::istringstream extra(QUARVEL_PACKAGE_CONFIGURE);
    for (std::string argument; std::getline(extra, argument, '|');)
        arguments.push_back(argument);
    return arguments;
}

// One package per test process; the lines a step printed when it failed.
class DebianPackage : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        work = std::make_unique<TempFolder>("quarvel-package");
        fs::create_directories(packageBuild);
        for (const auto& [program, arguments, timeout] : std::vector<Step>{
                 {QUARVEL_CMAKE, configureArguments(), 300},
                 {QUARVEL_CMAKE, {"--build", packageBuild.string(), "--target", "quarvel"}, 900},
                 {QUARVEL_CPACK, {"-G", "DEB", "-B", work->path().string()}, 300}}) {
            const ProgramResult r = runProgram(program, arguments, packageBuild.string(), {}, timeout);
            if (r.status != 0) {
                failure = program + " failed:\n" + r.out + r.err;
                return;
            }
        }
        for (const auto& entry : fs::directory_iterator(work->path()))
            if (entry.path().extension() == ".deb")
                deb = entry.path();
    }
    static void TearDownTestSuite() { work.reset(); }

    void SetUp() override { ASSERT_FALSE(deb.empty()) << failure; }
    // Unpacks the package as dpkg-deb -x does and returns the root it was unpacked into.
    static fs::path unpacked()
    {
        const fs::path root = work->path() / "root";
        if (!fs::exists(root)) {
            const ProgramResult extract = runFromRoot(toolPath("dpkg-deb"), {"-x", deb, root});
            EXPECT_EQ(extract.status, 0) << extract.err;
        }
        return root;
    }

    struct Step {
        std::string program;
        std::vector<std::string> arguments;
        int timeoutSeconds;
    };
    static std::unique_ptr<TempFolder> work;
    static fs::path deb;
    static std::string failure;
};

std::unique_ptr<TempFolder> DebianPackage::work;
fs::path DebianPackage::deb;
std::string DebianPackage::failure;

TEST_F(DebianPackage, HoldsTheGameInUsrGamesWithWhatDebianAsksFor)
{
    EXPECT_EQ(deb.filename().string().rfind("quarvel_", 0), 0u) << deb;
    const ProgramResult info = runFromRoot(toolPath("dpkg-deb"), {"-f", deb, "Depends", "Description", "Section"});
    EXPECT_NE(info.out.find("libglfw3"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("falling-block"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("Section: games"), std::string::npos) << info.out;

    const ProgramResult list = runFromRoot(toolPath("dpkg-deb"), {"-c", deb});
    for (const std::string& file : std::vector<std::string>
         {"./usr/games/quarvel", "./usr/share/quarvel/QUARVEL/Shader/particle.frag", "./usr/share/quarvel/Crickx.otf",
          "./usr/share/applications/" + appId + ".desktop", "./usr/share/metainfo/" + appId + ".metainfo.xml",
          "./usr/share/man/man6/quarvel.6.gz", "./usr/share/icons/hicolor/128x128/apps/quarvel.png",
          "./usr/share/doc/quarvel/copyright", "./usr/share/doc/quarvel/changelog.gz",
          "./usr/share/lintian/overrides/quarvel"})
        EXPECT_NE(list.out.find(file + "\n"), std::string::npos) << file;
    EXPECT_EQ(list.out.find("./usr/bin/"), std::string::npos) << list.out;
}

TEST_F(DebianPackage, DesktopEntryAndManualPageNameTheGameInUsrGames)
{
    const std::string desktop = readWholeFile((unpacked() / "usr/share/applications" / (appId + ".desktop")).string());
    EXPECT_NE(desktop.find("\nExec=/usr/games/quarvel --fit --quiet\n"), std::string::npos) << desktop;
    const ProgramResult manual = runFromRoot(toolPath("gzip"), {"-dc", unpacked() / "usr/share/man/man6/quarvel.6.gz"});
    EXPECT_NE(manual.out.find("\n.I /usr/games/quarvel\n"), std::string::npos) << manual.out;
    expectGzipWithoutNameOrTime(unpacked() / "usr/share/man/man6/quarvel.6.gz");
}

TEST_F(DebianPackage, LintianReportsNoErrorWarningOrInformation)
{
    const std::string lintian = toolPath("lintian");
    if (!fs::exists(lintian))
        GTEST_SKIP() << "lintian is not installed";
    const ProgramResult r = runFromRoot(lintian, {"-EIL", "+pedantic", "--fail-on", "error,warning", deb}, 300);
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    // Overridden tags do not show; information tags name what Debian's hardening and strip remove.
    for (const std::string kind : {"E: ", "W: ", "I: "})
        EXPECT_EQ(("\n" + r.out).find("\n" + kind), std::string::npos) << r.out;
}

TEST_F(DebianPackage, UnpackedGameStartsFromRoot)
{
    expectPlaysFromRoot(unpacked() / "usr" / "games" / "quarvel");
}

} // namespace
