#include "app/player_settings.hpp"

#include "game/key_name.hpp"

#include <algorithm>
#include <string>

namespace {

constexpr int commentColumn = 32; // where a binding's comment starts, in characters

const char* truth(bool value)
{
    return value ? "true" : "false";
}

// Each line of the text as a comment, indented.
void commentLines(std::string_view text, std::ostream& out)
{
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        out << "#   " << text.substr(start, end - start) << '\n';
        start = end + 1;
    }
}

void writeKeys(const BindingTable& keys, std::ostream& out)
{
    out << "[keys]\n"
           "# action = Key, or action = Key, Key; nothing after \"=\" leaves the action without a key.\n"
           "# A binding replaces the action's own keys and takes its keys from any other action; a key\n"
           "# bound here is no longer a debugging key (0 to 4, F, F3, F4, F9, Q, R, P).\n"
           "# Key names, case does not matter:\n";
    commentLines(bindableKeysSummary(), out);
    for (const ActionHelp& line : keys.help()) {
        const std::string entry = line.name + " = " + line.keys;
        out << entry << std::string(std::max<int>(1, commentColumn - int(entry.size())), ' ') << "# " << line.purpose
            << '\n';
    }
}

} // namespace

void writeSettings(const PlayerSettings& settings, std::ostream& out)
{
    out << "# Quarvel settings: $XDG_CONFIG_HOME/quarvel/settings.ini (~/.config/quarvel/settings.ini when\n"
           "# XDG_CONFIG_HOME is not set). \"#\" starts a comment. Options on the command line win over\n"
           "# this file. The game reads it at start and never writes it.\n\n";
    writeKeys(settings.keys, out);
    out << "\n[sound]\n"
           "# true: start with the sound off (the mute key switches it on)\n"
           "mute = "
        << truth(settings.mute)
        << "\n# 0 to 100 percent of the game's loudness\n"
           "volume = "
        << settings.volume
        << "\n\n[display]\n"
           "# true: the 1024 x 800 picture scaled to the window, as --fit\n"
           "fit = "
        << truth(settings.fit)
        << "\n# true: full screen on the primary monitor\n"
           "fullscreen = "
        << truth(settings.fullscreen)
        << "\n# window size in pixels, 1 to " << PlayerSettings::largestWindow << " (numbers on the command line win)\n"
        << "width = " << settings.width << "\nheight = " << settings.height
        << "\n\n[game]\n"
           "# true: the game pauses when its window loses focus\n"
           "pause_on_focus_loss = "
        << truth(settings.pauseOnFocusLoss) << '\n';
}
