#include "creatures/animal.hpp"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <cmath>
#include <iostream>

namespace {
constexpr float halfPi = 1.5707964f; // radians
constexpr float pi = 3.1415927f;     // radians
const glm::vec3 yAxis(0.0f, 1.0f, 0.0f);

float clampedAcos(float value)
{
    return std::acos(std::clamp(value, -1.0f, 1.0f));
}
} // namespace

Animal::Animal(const glm::mat4& placement, const glm::vec3& target) : target(target)
{
    modelMatrix = placement;
    const glm::vec3 toTarget = target - position();
    direction = toTarget / glm::length(toTarget);
    faceTarget();
}

void Animal::update(float dt)
{
    modelMatrix = glm::translate(modelMatrix, forward * dt * speed);
}

// Yaw by quadrant of the direction; the two quadrants that need it get an extra half turn.
void Animal::faceTarget()
{
    const glm::vec3& d = direction;
    if (d.x > 0.0f && d.z > 0.0f) {
        modelMatrix = glm::rotate(modelMatrix, clampedAcos(-d.x), yAxis);
        modelMatrix = glm::rotate(modelMatrix, pi, yAxis);
        std::cout << "HAPPENS";
    } else if (d.x > 0.0f) {
        modelMatrix = glm::rotate(modelMatrix, clampedAcos(d.x), yAxis);
    } else if (d.z > 0.0f) {
        modelMatrix = glm::rotate(modelMatrix, clampedAcos(-d.z) + halfPi, yAxis);
    } else {
        modelMatrix = glm::rotate(modelMatrix, halfPi - clampedAcos(d.z), yAxis);
        modelMatrix = glm::rotate(modelMatrix, pi, yAxis);
    }
}
