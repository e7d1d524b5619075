#pragma once
// Root of everything placed in the world: a model matrix, a draw and a per-frame update.

#include <glm/glm.hpp>

namespace vosk::scene {

class SceneObject {
public:
    SceneObject() = default;
    SceneObject(const SceneObject&) = default;
    SceneObject& operator=(const SceneObject&) = default;
    virtual ~SceneObject() = default;

    // Draws the object's models; the caller or the object sets the "model" uniform first.
    virtual void draw() = 0;
    // Advances the object by one frame; dt is the frame's time step in seconds.
    virtual void update(float dt) = 0;

    glm::mat4 modelMatrix{1.0f};
};

} // namespace vosk::scene
