#pragma once
// The game's sound files and which of them, how loud and at what pitch, each happening plays.

#include "audio/sound_event.hpp"

#include <array>
#include <cstddef>

enum class SoundId {
    Tick,
    Click,
    Thud,
    Crunch,
    Clink,
    Warning,
    Gnaw,
    Beetle,
    Squirrel,
    GameOver,
    Pause,
    Resume,
    Forest,
};
constexpr std::size_t soundCount = static_cast<std::size_t>(SoundId::Forest) + 1;

// Folder of the sound files, relative to the working directory like the rest of the data tree.
constexpr const char* soundFolder = "QUARVEL/Ressources/Sounds/";
// File name of a sound inside soundFolder.
const char* soundFileName(SoundId sound);

// One sound started by a happening.
struct Voice {
    SoundId sound = SoundId::Tick;
    float gain = 1.0f;       // linear, at most 1
    float pitch = 1.0f;      // playback rate factor
    bool positional = true;  // placed at the happening; otherwise heard in the listener's head
};

// The voices of one happening (one or two).
struct Voices {
    std::array<Voice, 2> list{};
    std::size_t count = 0;
    const Voice* begin() const { return list.data(); }
    const Voice* end() const { return list.data() + count; }
};

Voices voicesFor(const SoundEvent& event);

// The two loops under the game.
constexpr float forestGain = 0.35f; // the ambience stays well below the effects
constexpr float gnawGain = 0.6f;
