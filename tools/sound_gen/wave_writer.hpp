#pragma once
// Encodes a signal as a 16-bit mono PCM WAV file image.

#include "synth.hpp"

#include <cstdint>
#include <vector>

namespace soundgen {

// RIFF/WAVE bytes at sampleRate; samples are clamped to [-1, 1] and rounded to the nearest step.
std::vector<uint8_t> encodeWave(const Signal& signal);

} // namespace soundgen
