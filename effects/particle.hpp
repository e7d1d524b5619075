#pragma once
// One billboard particle of a burst, and the size of every burst's pool.

#include <glm/glm.hpp>

#include <cstdint>

constexpr int particlePoolSize = 3000; // particles per system, and staging slots

struct Particle {
    glm::vec3 position{0.0f}; // world units
    glm::vec3 speed{0.0f};    // world units per second
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    float size = 0.0f;            // billboard edge, world units
    float life = -1.0f;           // seconds left; zero or less is dead
    float cameraDistance = -1.0f; // squared distance from the camera position, -1 when dead; sort key
};
