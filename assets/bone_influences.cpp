#include "assets/bone_influences.hpp"

#include <algorithm>

namespace {

constexpr std::size_t slotsPerVertex = 4;

float totalWeight(const std::vector<BoneInfluence>& influences)
{
    float total = 0.0f;
    for (const BoneInfluence& influence : influences)
        total += influence.weight;
    return total;
}

} // namespace

void storeInfluences(Vertex& vertex, std::vector<BoneInfluence> influences)
{
    if (influences.size() > slotsPerVertex) {
        const float total = totalWeight(influences);
        std::stable_sort(influences.begin(), influences.end(),
                         [](const BoneInfluence& a, const BoneInfluence& b) { return a.weight > b.weight; });
        influences.resize(slotsPerVertex);
        const float kept = totalWeight(influences);
        if (kept > 0.0f)
            for (BoneInfluence& influence : influences)
                influence.weight *= total / kept;
    }
    for (std::size_t slot = 0; slot < influences.size(); ++slot) {
        vertex.boneIds[static_cast<int>(slot)] = influences[slot].bone;
        vertex.boneWeights[static_cast<int>(slot)] = influences[slot].weight;
    }
}
