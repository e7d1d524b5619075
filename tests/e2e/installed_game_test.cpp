// The game as a player gets it: installed into a prefix, or unpacked from the Debian package, and
// started from / (far from its data). It finds its data, compiles its eight shaders, loads every
// file and quits with status 0; the desktop entry and the metainfo pass their validators.

#include "tests/e2e/game_test.hpp"
#include "tests/support/run_program.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

const std::string buildDir = QUARVEL_BUILD_DIR;
const std::string appId = QUARVEL_APP_ID;

class TempFolder {
public:
    TempFolder()
    {
        char name[] = "/tmp/quarvel-install-XXXXXX";
        path_ = mkdtemp(name);
    }
    ~TempFolder() { fs::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

ProgramResult run(const std::string& program, const std::vector<std::string>& arguments, int timeoutSeconds = 120)
{
    return runProgram(program, arguments, "/", {}, timeoutSeconds);
}

std::string toolPath(const std::string& name)
{
    for (const char* dir : {"/usr/bin/", "/usr/local/bin/", "/bin/"})
        if (fs::exists(std::string(dir) + name))
            return std::string(dir) + name;
    return name;
}

// Plays the game started from / for a moment and ends it with Escape.
void expectPlaysFromRoot(GameTestSession& game)
{
    ASSERT_TRUE(game.waitUntilPlaying()) << game.output() << game.errors();
    EXPECT_EQ(game.quit(), 0) << game.errors();
    const std::string out = game.output();
    EXPECT_EQ(out.rfind("vec4(-100.000000, 0.000000, 200.000000, 1.000000)", 0), 0u) << out.substr(0, 300);
    EXPECT_NE(out.find("GUT"), std::string::npos);
    EXPECT_EQ(occurrences(out, "Your shader is fine"), 8) << out.substr(0, 2000);
    EXPECT_EQ(out.find("ERROR::"), std::string::npos) << out.substr(0, 2000);
    EXPECT_EQ(out.find("Failed to open"), std::string::npos) << out.substr(0, 2000);
    EXPECT_EQ(game.errors().find("no game data"), std::string::npos) << game.errors();
}

// One install per test process, into a private prefix.
class InstalledGame : public GameTest {
protected:
    static void SetUpTestSuite()
    {
        prefix = new TempFolder;
        const ProgramResult r = runProgram(QUARVEL_CMAKE, {"--install", buildDir, "--prefix", prefix->path()}, "/");
        ASSERT_EQ(r.status, 0) << r.out << r.err;
    }
    static void TearDownTestSuite()
    {
        delete prefix;
        prefix = nullptr;
    }
    static fs::path installed(const std::string& file) { return prefix->path() / file; }

    static TempFolder* prefix;
};

TempFolder* InstalledGame::prefix = nullptr;

TEST_F(InstalledGame, HoldsTheGameItsDataAndWhatADesktopNeeds)
{
    for (const std::string& file : std::vector<std::string>
         {"bin/quarvel", "share/quarvel/QUARVEL/Shader/basicvert.vert", "share/quarvel/QUARVEL/Ressources/Models/bakedsq.dae",
          "share/quarvel/digital-7.ttf", "share/quarvel/Crickx.otf", "share/applications/" + appId + ".desktop",
          "share/metainfo/" + appId + ".metainfo.xml", "share/man/man6/quarvel.6",
          "share/icons/hicolor/48x48/apps/quarvel.png", "share/icons/hicolor/256x256/apps/quarvel.png"})
        EXPECT_TRUE(fs::is_regular_file(installed(file))) << file;
}

TEST_F(InstalledGame, DesktopEntryAndMetainfoPassTheirValidators)
{
    const ProgramResult desktop = run(toolPath("desktop-file-validate"), {installed("share/applications/" + appId + ".desktop")});
    EXPECT_EQ(desktop.status, 0) << desktop.out << desktop.err;
    EXPECT_EQ(desktop.out + desktop.err, "");
    const ProgramResult metainfo =
        run(toolPath("appstreamcli"), {"validate", "--no-net", installed("share/metainfo/" + appId + ".metainfo.xml")});
    EXPECT_EQ(metainfo.status, 0) << metainfo.out << metainfo.err;
}

TEST_F(InstalledGame, StartsFromRootAndFindsEveryFile)
{
    ASSERT_TRUE(fs::exists(installed("bin/quarvel")));
    expectPlaysFromRoot(start({.workingDirectory = "/", .program = installed("bin/quarvel").string()}));
}

TEST_F(InstalledGame, HelpNamesTheInstalledDataAsUsed)
{
    const ProgramResult r = run(installed("bin/quarvel"), {"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find(installed("share/quarvel").string() + "   (used)"), std::string::npos) << r.out;
}

class DebianPackage : public GameTest {};

TEST_F(DebianPackage, ListsTheInstalledFilesAndItsUnpackedGameStartsFromRoot)
{
    TempFolder work;
    const ProgramResult pack = runProgram(QUARVEL_CPACK, {"-G", "DEB", "-B", work.path()}, buildDir, {}, 300);
    ASSERT_EQ(pack.status, 0) << pack.out << pack.err;
    fs::path deb;
    for (const auto& entry : fs::directory_iterator(work.path()))
        if (entry.path().extension() == ".deb")
            deb = entry.path();
    ASSERT_FALSE(deb.empty()) << pack.out;
    EXPECT_EQ(deb.filename().string().rfind("quarvel_", 0), 0u) << deb;

    const ProgramResult info = run(toolPath("dpkg-deb"), {"-f", deb, "Depends", "Description", "Section"});
    EXPECT_NE(info.out.find("libglfw3"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("falling-block"), std::string::npos) << info.out;
    const ProgramResult list = run(toolPath("dpkg-deb"), {"-c", deb});
    for (const std::string& file : std::vector<std::string>
         {"./usr/bin/quarvel", "./usr/share/quarvel/QUARVEL/Shader/particle.frag", "./usr/share/quarvel/Crickx.otf",
          "./usr/share/applications/" + appId + ".desktop", "./usr/share/metainfo/" + appId + ".metainfo.xml",
          "./usr/share/man/man6/quarvel.6", "./usr/share/icons/hicolor/128x128/apps/quarvel.png"})
        EXPECT_NE(list.out.find(file), std::string::npos) << file;

    const fs::path unpacked = work.path() / "root";
    const ProgramResult extract = run(toolPath("dpkg-deb"), {"-x", deb, unpacked});
    ASSERT_EQ(extract.status, 0) << extract.err;
    const fs::path program = unpacked / "usr" / "bin" / "quarvel";
    ASSERT_TRUE(fs::exists(program));
    expectPlaysFromRoot(start({.workingDirectory = "/", .program = program.string()}));
}

} // namespace
