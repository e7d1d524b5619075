#include "chest_layout.hpp"
#include "noise.hpp"

#include <algorithm>
#include <cmath>

namespace assetgen::chest {

float coinPileHeight(float x, float z)
{
    const float cz = (innerFront + innerBack) * 0.5f, hz = (innerBack - innerFront) * 0.5f;
    const float u = x / innerHalfWidth, v = (z - cz) / hz;
    const float dome = std::max(0.0f, 1.0f - u * u) * std::max(0.0f, 1.0f - v * v);
    const float lumps = valueNoise3(glm::vec3(x * 3.0f, 0.0f, z * 3.0f), 301) - 0.5f;
    const float h = rimHeight - 0.07f + 0.27f * std::sqrt(dome) + 0.05f * lumps;
    // Lower around the cushions so they stand clear of the coins.
    const auto around = [&](glm::vec3 top, float half) {
        const float d = std::max(std::abs(x - top.x), std::abs(z - top.z));
        return top.y - 0.08f + 0.3f * std::max(0.0f, d - half);
    };
    return std::min({h, around(cushionTop, cushionHalf), around(gemCushionTop, gemCushionHalf)});
}

} // namespace assetgen::chest
