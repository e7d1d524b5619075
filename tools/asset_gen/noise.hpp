#pragma once
// Deterministic hashing, random numbers and tileable noise for textures and shape variation.

#include <glm/glm.hpp>

#include <cstdint>

namespace assetgen {

uint32_t hash32(uint32_t x);
uint32_t hash3(int x, int y, uint32_t seed);
// A value in [0, 1) fixed by the lattice point and the seed.
float latticeValue(int x, int y, uint32_t seed);

// Smooth value noise in [0, 1]; repeats every period lattice cells along both axes.
float valueNoise(glm::vec2 p, int period, uint32_t seed);
// Octaves of value noise, each twice as fine; tiles with the first period. Roughly [0, 1].
float fbm(glm::vec2 p, int period, int octaves, uint32_t seed);
// Distance from p to the nearest of one random feature point per lattice cell (tiles with period).
float cellDistance(glm::vec2 p, int period, uint32_t seed);
// Smooth 3D value noise in [0, 1] for bumping geometry (no tiling).
float valueNoise3(glm::vec3 p, uint32_t seed);

// Fixed-seed generator (splitmix64): the same numbers on every run and every machine.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t next();
    float unit();                                  // [0, 1)
    float range(float lo, float hi) { return lo + (hi - lo) * unit(); }
    int below(int n) { return int(next() % uint64_t(n)); }

private:
    uint64_t state_;
};

} // namespace assetgen
