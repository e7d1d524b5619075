#include "platform/user_dirs.hpp"

#include <cstdlib>

namespace fs = std::filesystem;

namespace {

constexpr const char* gameName = "quarvel";

} // namespace

fs::path UserDirs::data()
{
    return gameFolder("XDG_DATA_HOME", ".local/share");
}

fs::path UserDirs::cache()
{
    return gameFolder("XDG_CACHE_HOME", ".cache");
}

fs::path UserDirs::config()
{
    return gameFolder("XDG_CONFIG_HOME", ".config");
}

fs::path UserDirs::state()
{
    return gameFolder("XDG_STATE_HOME", ".local/state");
}

fs::path UserDirs::gameFolder(const char* variable, const char* fallbackUnderHome)
{
    const char* base = std::getenv(variable);
    if (base != nullptr && fs::path(base).is_absolute())
        return fs::path(base) / gameName;
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0')
        return fs::path(home) / fallbackUnderHome / gameName;
    return {};
}
