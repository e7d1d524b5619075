#pragma once
// Reads the player's settings file: INI sections [keys], [sound], [display] and [game] with "name = value"
// lines and "#" comments. A line that cannot be used is reported and skipped; the rest applies.

#include "app/player_settings.hpp"

#include <cstddef>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

class SettingsFile {
public:
    static constexpr std::size_t maxBytes = 64 * 1024; // far above any hand-written file

    // "$XDG_CONFIG_HOME/quarvel/settings.ini" (or under ~/.config); empty when there is no such folder.
    static std::filesystem::path defaultPath();

    // The game's own settings changed by the file at path. Each line that cannot be used gives one line
    // "path:line: reason" on errors and is ignored; a file that cannot be read at all (not a regular
    // file, too large, binary) gives one line and changes nothing. A missing file is no error.
    static PlayerSettings read(const std::filesystem::path& path, std::ostream& errors);

    // The same for text already read; path only names the file in the messages.
    static PlayerSettings parse(std::string_view text, const std::string& path, std::ostream& errors);
};
