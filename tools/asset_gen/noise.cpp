#include "noise.hpp"

#include <cmath>

namespace assetgen {
namespace {

int wrap(int i, int period) { return ((i % period) + period) % period; }

float smooth(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

} // namespace

uint32_t hash32(uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

uint32_t hash3(int x, int y, uint32_t seed)
{
    return hash32(uint32_t(x) * 0x9e3779b1U ^ hash32(uint32_t(y) * 0x85ebca77U ^ hash32(seed)));
}

float latticeValue(int x, int y, uint32_t seed) { return float(hash3(x, y, seed) >> 8) / 16777216.0f; }

float valueNoise(glm::vec2 p, int period, uint32_t seed)
{
    const int x0 = int(std::floor(p.x)), y0 = int(std::floor(p.y));
    const float fx = smooth(p.x - float(x0)), fy = smooth(p.y - float(y0));
    const auto at = [&](int dx, int dy) {
        return latticeValue(wrap(x0 + dx, period), wrap(y0 + dy, period), seed);
    };
    const float bottom = at(0, 0) + (at(1, 0) - at(0, 0)) * fx;
    const float top = at(0, 1) + (at(1, 1) - at(0, 1)) * fx;
    return bottom + (top - bottom) * fy;
}

float fbm(glm::vec2 p, int period, int octaves, uint32_t seed)
{
    float sum = 0.0f, amplitude = 0.5f, total = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * valueNoise(p, period, seed + uint32_t(o) * 101U);
        total += amplitude;
        p *= 2.0f;
        period *= 2;
        amplitude *= 0.5f;
    }
    return sum / total;
}

float cellDistance(glm::vec2 p, int period, uint32_t seed)
{
    const int x0 = int(std::floor(p.x)), y0 = int(std::floor(p.y));
    float best = 10.0f;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int cx = x0 + dx, cy = y0 + dy;
            const int wx = wrap(cx, period), wy = wrap(cy, period);
            const glm::vec2 feature(float(cx) + latticeValue(wx, wy, seed), float(cy) + latticeValue(wx, wy, seed + 7U));
            best = std::fmin(best, glm::length(feature - p));
        }
    return best;
}

float valueNoise3(glm::vec3 p, uint32_t seed)
{
    const glm::ivec3 i0(glm::floor(p));
    const glm::vec3 f = p - glm::vec3(i0);
    const glm::vec3 s(smooth(f.x), smooth(f.y), smooth(f.z));
    const auto at = [&](int dx, int dy, int dz) {
        return latticeValue(i0.x + dx, i0.y + dy, seed ^ hash32(uint32_t(i0.z + dz) * 0x27d4eb2dU));
    };
    float layer[2];
    for (int dz = 0; dz < 2; ++dz) {
        const float bottom = at(0, 0, dz) + (at(1, 0, dz) - at(0, 0, dz)) * s.x;
        const float top = at(0, 1, dz) + (at(1, 1, dz) - at(0, 1, dz)) * s.x;
        layer[dz] = bottom + (top - bottom) * s.y;
    }
    return layer[0] + (layer[1] - layer[0]) * s.z;
}

uint64_t Random::next()
{
    uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

float Random::unit() { return float(next() >> 40) / 16777216.0f; }

} // namespace assetgen
