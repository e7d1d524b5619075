#pragma once
// The player's choices (keys, sound, display, pausing), and how they are written in the settings file.

#include "game/binding_table.hpp"

#include <ostream>

struct PlayerSettings {
    static constexpr int fullVolume = 100; // percent
    static constexpr int largestWindow = 16384; // pixels, either way

    BindingTable keys;
    bool mute = false;
    int volume = fullVolume; // percent of the game's own loudness
    bool fit = false;        // the picture scaled to the window, as --fit
    bool fullscreen = false;
    int width = 1024; // pixels
    int height = 800; // pixels
    bool pauseOnFocusLoss = true; // pause as O would when the window loses focus

    bool operator==(const PlayerSettings& other) const = default;
};

// The settings in the settings file's syntax, every entry with a comment, so that the text read back
// as a settings file gives the same settings.
void writeSettings(const PlayerSettings& settings, std::ostream& out);
