#pragma once
// Reads the game's sound files: RIFF/WAVE with 16-bit PCM samples, mono or stereo.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct WaveData {
    std::vector<int16_t> samples; // interleaved when stereo
    int sampleRate = 0;           // Hz
    int channels = 0;             // 1 or 2
};

struct WaveRead {
    std::optional<WaveData> wave; // empty when the file could not be used
    std::string error;            // why, when wave is empty
};

// Decodes a whole file image. Anything else than 16-bit PCM with one or two channels, a truncated
// chunk or an empty data chunk gives an error instead of samples.
WaveRead parseWave(const std::vector<uint8_t>& bytes);
// Bytes of the largest sound file read: over three minutes of 44.1 kHz stereo, far more than a sound
// effect or an ambience loop needs.
constexpr std::size_t maxWaveFileBytes = 32u << 20;

// Reads and decodes a file. A missing or unreadable file, anything but a regular file (a folder, a
// named pipe, a device) and a file larger than maxWaveFileBytes give an error, at once.
WaveRead readWaveFile(const std::string& path);
