#pragma once
// The square on whose rim creatures appear.

#include <glm/glm.hpp>

class SpawnArea {
public:
    // Seeds the C random generator with the calendar time: every rand() user depends on it.
    SpawnArea();

    // A random point on the rim: (0..2099, 0, 0), (0..2099, 0, 2100), (2100, 0, 0..2099) or (0, 0, 0..2099).
    glm::vec3 randomRimPoint() const;

    glm::vec3 origin{0.0f, 0.0f, 0.0f};
    glm::vec3 size{2100.0f, 0.0f, 2100.0f};
};
