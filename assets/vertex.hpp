#pragma once
// One vertex as the meshes upload it: position, normal, texture coordinates and four bone influences.

#include <glm/glm.hpp>

#include <cstddef>

// 64 bytes; attribute locations 0..4 in field order. Unused bone slots hold id 0 and weight 0.
struct Vertex {
    glm::vec3 position{0.0f};
    glm::vec3 normal{0.0f};
    glm::vec2 texCoords{0.0f};
    glm::ivec4 boneIds{0};
    glm::vec4 boneWeights{0.0f};
};
static_assert(sizeof(Vertex) == 64);
static_assert(offsetof(Vertex, boneIds) == 32 && offsetof(Vertex, boneWeights) == 48);
