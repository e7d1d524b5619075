#include "effects/particle_shared.hpp"

ShaderProgram* particleShader = nullptr;

std::array<float, particlePoolSize * 4> positionSizeData{};
std::array<std::uint8_t, particlePoolSize * 4> colorData{};
