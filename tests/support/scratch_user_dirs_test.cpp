// Scratch user folders: every test program runs with them, and they hold what the game's folder lookup
// finds.

#include "platform/user_dirs.hpp"
#include "tests/support/forked_child.hpp"
#include "tests/support/scratch_user_dirs.hpp"

#include <gtest/gtest.h>

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

// Exported, they are where the game looks and where a program this one starts finds them; they go with
// the process that made them, not with a forked child that ends.
TEST(ScratchUserDirs, ExportedFoldersAreWhereTheGameLooksAndGoWithTheirMaker)
{
    std::vector<std::string> before;
    for (const Kind& kind : kinds)
        before.push_back(std::getenv(kind.variable));
    auto dirs = std::make_unique<ScratchUserDirs>();
    const std::string root = dirs->root();
    dirs->exportToEnvironment();
    for (const Kind& kind : kinds)
        EXPECT_EQ(kind.gameFolder(), fs::path((*dirs.*kind.folder)()) / "quarvel");
    useScratchUserDirs();
    EXPECT_EQ(std::getenv("XDG_CACHE_HOME"), dirs->cache());
    fs::create_directories(UserDirs::cache());
    std::ofstream(UserDirs::cache() / "model-check") << "verdicts";

    ForkedChild([&dirs](const ForkedChild::Say&) { dirs.reset(); }).wait();
    EXPECT_TRUE(fs::is_directory(dirs->data()));
    dirs.reset();
    EXPECT_FALSE(fs::exists(root)) << root;
    for (std::size_t k = 0; k < before.size(); ++k)
        setenv(kinds[k].variable, before[k].c_str(), 1);
}

} // namespace
