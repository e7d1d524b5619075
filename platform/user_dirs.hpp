#pragma once
// The user's folders for the game's files, after the XDG base directories: data (scores), cache (model
// check verdicts), config (settings) and state, each "<base>/quarvel".

#include <filesystem>

class UserDirs {
public:
    // "$XDG_DATA_HOME/quarvel", or "$HOME/.local/share/quarvel" when the variable is unset, empty or not
    // an absolute path (such a value is to be ignored); empty when there is no home folder either.
    static std::filesystem::path data();
    // The same with XDG_CACHE_HOME and "$HOME/.cache".
    static std::filesystem::path cache();
    // The same with XDG_CONFIG_HOME and "$HOME/.config".
    static std::filesystem::path config();
    // The same with XDG_STATE_HOME and "$HOME/.local/state".
    static std::filesystem::path state();

private:
    static std::filesystem::path gameFolder(const char* variable, const char* fallbackUnderHome);
};
