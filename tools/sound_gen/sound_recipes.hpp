#pragma once
// The game's sounds, each a short synthesis recipe, and the file name the game loads it from.

#include "synth.hpp"

#include <string>
#include <vector>

namespace soundgen {

struct SoundFile {
    std::string name; // file name under QUARVEL/Ressources/Sounds
    Signal signal;
};

// Every effect and the ambience loop, in a fixed order.
std::vector<SoundFile> allSounds();

} // namespace soundgen
