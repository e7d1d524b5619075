// Scratch user folders: every test program runs with them, they hold what the game's folder lookup
// finds, and they go with the process that made them, not with a forked child.

#include "platform/user_dirs.hpp"
#include "tests/support/scratch_user_dirs.hpp"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Kind {
    const char* variable;
    std::string (ScratchUserDirs::*folder)() const;
    fs::path (*gameFolder)();
};

const Kind kinds[] = {
    {"XDG_DATA_HOME", &ScratchUserDirs::data, &UserDirs::data},
    {"XDG_CACHE_HOME", &ScratchUserDirs::cache, &UserDirs::cache},
    {"XDG_CONFIG_HOME", &ScratchUserDirs::config, &UserDirs::config},
    {"XDG_STATE_HOME", &ScratchUserDirs::state, &UserDirs::state},
};

bool inside(const fs::path& path, const fs::path& folder)
{
    const std::string relative = path.lexically_relative(folder).string();
    return !relative.empty() && relative.rfind("..", 0) != 0;
}

TEST(ScratchUserDirs, ThisTestProgramRunsWithThemFromItsStart)
{
    const char* home = std::getenv("HOME");
    for (const Kind& kind : kinds) {
        const char* value = std::getenv(kind.variable);
        ASSERT_NE(value, nullptr) << kind.variable;
        EXPECT_EQ(std::string(value).rfind("/tmp/quarvel-home-", 0), 0u) << kind.variable << "=" << value;
        EXPECT_TRUE(fs::is_directory(value)) << value;
        EXPECT_TRUE(inside(kind.gameFolder(), value)) << kind.gameFolder();
        if (home != nullptr) {
            EXPECT_FALSE(inside(kind.gameFolder(), home)) << kind.gameFolder();
        }
    }
}

TEST(ScratchUserDirs, ExportedFoldersAreWhereTheGameLooksAndGoWithTheirMaker)
{
    std::vector<std::string> before;
    for (const Kind& kind : kinds)
        before.push_back(std::getenv(kind.variable));
    std::string root;
    {
        const ScratchUserDirs dirs;
        root = dirs.root();
        dirs.exportToEnvironment();
        for (const Kind& kind : kinds) {
            const std::string folder = (dirs.*kind.folder)();
            EXPECT_TRUE(fs::is_directory(folder)) << folder;
            EXPECT_EQ(std::getenv(kind.variable), folder);
            EXPECT_EQ(kind.gameFolder(), fs::path(folder) / "quarvel");
        }
        fs::create_directories(UserDirs::cache());
        std::ofstream(UserDirs::cache() / "model-check") << "verdicts";
        useScratchUserDirs(); // these exported ones stand, as a test program started by this one finds them
        EXPECT_EQ(std::getenv("XDG_CACHE_HOME"), dirs.cache());
    }
    EXPECT_FALSE(fs::exists(root)) << root;
    for (std::size_t k = 0; k < before.size(); ++k)
        setenv(kinds[k].variable, before[k].c_str(), 1);
}

TEST(ScratchUserDirs, AForkedChildLeavesThemToItsParent)
{
    auto dirs = std::make_unique<ScratchUserDirs>();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dirs.reset(); // as a child that ends through exit() would
        _exit(0);
    }
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(fs::is_directory(dirs->data()));
    const std::string root = dirs->root();
    dirs.reset();
    EXPECT_FALSE(fs::exists(root));
}

} // namespace
