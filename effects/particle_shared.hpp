#pragma once
// What all particle systems share: the program they draw with and the staging arrays of the GPU upload.

#include "effects/particle.hpp"

#include <array>
#include <cstdint>

class ShaderProgram;

// The particle program; the game's set-up points it at its particle program.
extern ShaderProgram* particleShader;

// x, y, z and size of each staged particle, filled by an update and uploaded by the next draw.
extern std::array<float, particlePoolSize * 4> positionSizeData;
// r, g, b, a of each staged particle.
extern std::array<std::uint8_t, particlePoolSize * 4> colorData;
