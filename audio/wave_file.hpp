#pragma once
// Reads the game's sound files: RIFF/WAVE with 16-bit PCM samples, mono or stereo.

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
// Reads and decodes a file; an unreadable file gives an error.
WaveRead readWaveFile(const std::string& path);
