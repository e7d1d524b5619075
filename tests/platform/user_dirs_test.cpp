// The user's folders follow the XDG base directories, with the usual fallbacks under the home folder.

#include "platform/user_dirs.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Sets (or, with nullopt, unsets) an environment variable for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, std::optional<std::string> value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~ScopedVariable()
    {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(UserDirs, EachFolderComesFromItsVariableOrFromTheHomeFolder)
{
    using Folder = std::filesystem::path (*)();
    const struct {
        const char* variable;
        Folder folder;
        const char* underHome;
    } kinds[] = {
        {"XDG_DATA_HOME", &UserDirs::data, "/home/player/.local/share/quarvel"},
        {"XDG_CACHE_HOME", &UserDirs::cache, "/home/player/.cache/quarvel"},
        {"XDG_CONFIG_HOME", &UserDirs::config, "/home/player/.config/quarvel"},
        {"XDG_STATE_HOME", &UserDirs::state, "/home/player/.local/state/quarvel"},
    };
    const ScopedVariable home("HOME", "/home/player");
    for (const auto& kind : kinds) {
        {
            const ScopedVariable set(kind.variable, "/elsewhere");
            EXPECT_EQ(kind.folder(), "/elsewhere/quarvel") << kind.variable;
        }
        for (const std::optional<std::string>& ignored : {std::optional<std::string>(), std::optional<std::string>(""),
                                                          std::optional<std::string>("relative/folder")}) {
            const ScopedVariable set(kind.variable, ignored);
            EXPECT_EQ(kind.folder(), kind.underHome) << kind.variable << " = " << ignored.value_or("(unset)");
        }
        const ScopedVariable unset(kind.variable, std::nullopt);
        const ScopedVariable noHome("HOME", std::nullopt);
        EXPECT_TRUE(kind.folder().empty()) << kind.variable;
    }
}

} // namespace
