#include "app/launch_options.hpp"

#include <algorithm>
#include <cstring>
#include <string>

#ifndef QUARVEL_VERSION
#define QUARVEL_VERSION "unknown"
#endif

namespace {

struct Flag {
    const char* name;
    bool LaunchOptions::*value;
};

// A new option is one more line here (and one in the usage below).
constexpr Flag flags[] = {
    {"--help", &LaunchOptions::help},
    {"--version", &LaunchOptions::version},
    {"--settings", &LaunchOptions::settings},
    {"--fit", &LaunchOptions::fit},
    {"--mute", &LaunchOptions::mute},
    {"--quiet", &LaunchOptions::quiet},
};

const Flag* findFlag(const char* argument)
{
    for (const Flag& flag : flags)
        if (std::strcmp(argument, flag.name) == 0)
            return &flag;
    return nullptr;
}

constexpr const char* usage = R"(Usage: quarvel [--fit] [--mute] [--quiet] [width height [fullscreen]]
       quarvel --help | --version | --settings

Quarvel, a 3D falling-block defence game: steer the falling food stones to wall
in or crush the beetles and squirrels on their way to the treasure chest.

Options (before the numbers):
  --fit        draw the 1024 x 800 picture scaled to the window, centred, with
               bars where the window's shape differs
  --mute       start with the sound off (the mute key switches it on)
  --quiet      write none of the game's traces on standard output (errors
               still go to standard error)
  --help       show this text and exit
  --version    show the version and exit
  --settings   show the settings in force (the settings file's, with --fit and
               --mute) in the file's own syntax, and exit
Arguments:
  width height window size in pixels (default 1024 800, or the settings
               file's; a single number is ignored); without --fit the picture
               keeps 1024 x 800 in the lower-left corner
  fullscreen   1: full screen on the primary monitor, 0: a window (default)

)";

constexpr int keyColumn = 14; // characters for the key names before the purpose

// The player's keys in force, one action a line, then the mouse and the debugging keys.
void writeKeys(std::ostream& out, const BindingTable& keys)
{
    out << "Keys (the settings file may change them):\n";
    for (const ActionHelp& line : keys.help()) {
        const std::string names = line.keys.empty() ? "(none)" : line.keys;
        out << "  " << names << std::string(std::max<int>(1, keyColumn - int(names.size())), ' ') << line.purpose
            << '\n';
    }
    out << "  Mouse" << std::string(keyColumn - 5, ' ') << "look around\n"
        << "  Debugging keys, unless bound above: 0 to 4, F, F3, F4, F9, Q, R, P (held)\n"
        << "Gamepad: D-pad or left stick move the stone, A and B turn it, right trigger or\n"
           "  shoulder (held) drops it fast, right stick looks around, Start pauses, A\n"
           "  starts a new game once the game is over\n\n";
}

} // namespace

std::vector<const char*> LaunchOptions::take(int argc, const char* const* argv)
{
    std::vector<const char*> rest;
    if (argc < 1)
        return rest;
    rest.push_back(argv[0]);
    int next = 1;
    for (; next < argc; ++next) {
        const Flag* flag = findFlag(argv[next]);
        if (flag == nullptr)
            break;
        this->*(flag->value) = true;
    }
    rest.insert(rest.end(), argv + next, argv + argc);
    return rest;
}

void writeUsage(std::ostream& out, const std::vector<std::filesystem::path>& dataPlaces,
                const std::optional<std::filesystem::path>& dataUsed, const BindingTable& keys)
{
    out << usage;
    writeKeys(out, keys);
    out << "Data: the \"QUARVEL\" folder and the fonts, from the first of these that has it:\n";
    for (const std::filesystem::path& place : dataPlaces)
        out << "  " << place.string() << (dataUsed && *dataUsed == place ? "   (used)" : "") << '\n';
    if (!dataUsed)
        out << "  (none has it now)\n";
    out << "Settings: $XDG_CONFIG_HOME/quarvel/settings.ini (~/.config/quarvel/settings.ini\n"
           "  when XDG_CONFIG_HOME is not set); quarvel --settings shows them\n";
    out << "Scores: $XDG_DATA_HOME/quarvel/scores (~/.local/share/quarvel/scores when\n"
           "  XDG_DATA_HOME is not set)\n";
}

void writeVersion(std::ostream& out)
{
    out << "Quarvel " << QUARVEL_VERSION << '\n';
}
