#include "tests/support/scratch_user_dirs.hpp"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <unistd.h>

namespace {

// Names the folders a test process exported, so that a test program it starts keeps using them.
constexpr const char* inheritedMarker = "QUARVEL_TEST_USER_DIRS";

} // namespace

ScratchUserDirs::ScratchUserDirs() : owner_(static_cast<int>(getpid()))
{
    char pattern[] = "/tmp/quarvel-home-XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        throw std::runtime_error("cannot create scratch user folders");
    root_ = pattern;
    for (const std::string& kind : {data(), cache(), config(), state()})
        std::filesystem::create_directory(kind);
}

ScratchUserDirs::~ScratchUserDirs()
{
    if (static_cast<int>(getpid()) != owner_)
        return;
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void ScratchUserDirs::exportToEnvironment() const
{
    setenv("XDG_DATA_HOME", data().c_str(), 1);
    setenv("XDG_CACHE_HOME", cache().c_str(), 1);
    setenv("XDG_CONFIG_HOME", config().c_str(), 1);
    setenv("XDG_STATE_HOME", state().c_str(), 1);
    setenv(inheritedMarker, root_.c_str(), 1);
}

void useScratchUserDirs()
{
    // Static, so that exit() from a test (death tests end that way) still removes the folders.
    static std::unique_ptr<ScratchUserDirs> dirs;
    if (dirs != nullptr)
        return;
    const char* inherited = std::getenv(inheritedMarker);
    if (inherited != nullptr && std::filesystem::is_directory(inherited))
        return; // the parent test process owns them and has exported them
    dirs = std::make_unique<ScratchUserDirs>();
    dirs->exportToEnvironment();
}
