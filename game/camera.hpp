#pragma once
// A view position with yaw and pitch: the player's eye and the light's.

#include <glm/glm.hpp>

class Camera {
public:
    Camera(glm::vec3 position, glm::vec3 worldUp, float yaw, float pitch);

    // Recomputes front, right and up from yaw and pitch.
    void updateCameraVectors();
    // Right-handed look-at from position along front.
    glm::mat4 viewMatrix() const;
    // Mouse look: turns by the cursor offsets (pixels) times the sensitivity; pitch stays in [-89, 89].
    void turn(float xOffset, float yOffset);

    glm::vec3 position;
    float yaw;   // degrees; 90 looks along +z
    float pitch; // degrees; negative looks down
    bool debugFlag = false;
    glm::vec3 front{0.0f, 0.0f, -1.0f};
    glm::vec3 up{0.0f};
    glm::vec3 right{0.0f};
    glm::vec3 worldUp;
    float movementSpeed = 700.0f;   // world units per second
    float mouseSensitivity = 0.25f; // degrees per cursor pixel
    float zoom = 45.0f;             // field-of-view value handed to the projection
};
