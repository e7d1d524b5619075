#include "game/camera.hpp"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <cmath>

namespace {
constexpr float degreesToRadians = 0.017453292f;
constexpr float pitchLimit = 89.0f; // degrees
} // namespace

Camera::Camera(glm::vec3 position, glm::vec3 worldUp, float yaw, float pitch)
    : position(position), yaw(yaw), pitch(pitch), worldUp(worldUp)
{
    updateCameraVectors();
}

void Camera::updateCameraVectors()
{
    const float yawRad = yaw * degreesToRadians;
    const float pitchRad = pitch * degreesToRadians;
    front = glm::normalize(glm::vec3(std::cos(yawRad) * std::cos(pitchRad), std::sin(pitchRad),
                                     std::sin(yawRad) * std::cos(pitchRad)));
    right = glm::normalize(glm::cross(front, worldUp));
    up = glm::normalize(glm::cross(right, front));
}

glm::mat4 Camera::viewMatrix() const
{
    return glm::lookAt(position, position + front, up);
}

void Camera::turn(float xOffset, float yOffset)
{
    yaw += xOffset * mouseSensitivity;
    pitch += yOffset * mouseSensitivity;
    pitch = std::clamp(pitch, -pitchLimit, pitchLimit);
    updateCameraVectors();
}
