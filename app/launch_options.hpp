#pragma once
// Options that lead the command line, before the window numbers: --help, --version, --settings, --fit,
// --mute, --quiet.

#include "game/binding_table.hpp"

#include <filesystem>
#include <optional>
#include <ostream>
#include <vector>

struct LaunchOptions {
    bool help = false;    // write the usage and exit
    bool version = false; // write the version and exit
    bool settings = false; // write the settings in force, in the settings file's syntax, and exit
    bool fit = false;     // show the picture scaled to the window
    bool mute = false;    // start with the sound off (key M switches it on)
    bool quiet = false;   // no traces on standard output; failures still reach standard error

    // Takes the options that lead the arguments, in any order, and returns the rest of the command
    // line, program name first, for the window numbers. Anything else ends the options and is left
    // as it is, so the numbers keep their parsing and messages.
    std::vector<const char*> take(int argc, const char* const* argv);
};

// The --help text: command line, the keys in force, the places the data is looked for (and the one
// used, if any) and where the settings and the scores live.
void writeUsage(std::ostream& out, const std::vector<std::filesystem::path>& dataPlaces,
                const std::optional<std::filesystem::path>& dataUsed, const BindingTable& keys = {});

// The --version text.
void writeVersion(std::ostream& out);
