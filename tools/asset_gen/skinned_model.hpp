#pragma once
// A mesh bound to a skeleton, with one looping animation: what the COLLADA writer needs.

#include "asset_model.hpp"

#include <array>
#include <string>
#include <vector>

namespace assetgen {

constexpr int maxInfluences = 4;  // bone slots per vertex in the game's vertex format

struct VertexWeights {
    std::array<int, maxInfluences> bones{0, 0, 0, 0};
    std::array<float, maxInfluences> weights{0, 0, 0, 0};
};

struct Joint {
    std::string name;
    int parent = -1;                  // index of the parent joint; -1 hangs under the skeleton's root node
    glm::mat4 bindLocal{1.0f};        // transform relative to the parent at rest
    std::vector<glm::mat4> keys;      // local transform at each key time (empty: not animated)
};

struct Skeleton {
    std::string rootName;             // plain node holding the joints
    glm::mat4 rootTransform{1.0f};
    std::vector<Joint> joints;        // parents before children
    std::vector<float> keyTimes;      // seconds as stored in the file

    glm::mat4 bindGlobal(int joint) const;  // root transform and all bind locals down to the joint
};

struct SkinnedModel {
    std::string name;
    Mesh mesh;                        // one material
    Material material;
    std::vector<VertexWeights> weights;  // one per vertex, summing to 1
    Skeleton skeleton;
};

} // namespace assetgen
