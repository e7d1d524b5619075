#pragma once
// Base of the enemies that walk from the rim toward the chest: heading, straight walk, probes of the grid.

#include "render/scene_object.hpp"

#include <glm/glm.hpp>

#include <memory>
#include <vector>

class Playfield;

class Animal : public vosk::scene::SceneObject {
public:
    static constexpr float defaultSpeed = 4.5f; // model units per second, until a subclass sets its own

    ~Animal() override = default;

    // Straight step along forward, in the model frame (so scaled by the model's scale).
    void update(float dt) override;
    // Height above the creature's position that a falling stone must come down to, world units.
    virtual float height() const = 0;
    // Looks at the grid around the creature, once per frame after update.
    virtual void think(Playfield& field) = 0;
    // One step of the creature's state machine from two probe results.
    virtual void react(const bool flags[2]) = 0;

    // The creature's position: the translation column of modelMatrix.
    glm::vec3 position() const { return glm::vec3(modelMatrix[3]); }

    bool removed = false;       // set by the contact rules; the game logic then drops the creature
    float speed = defaultSpeed; // model units per second
    glm::vec3 direction{0.0f};  // unit vector from the start position to target
    std::vector<glm::mat4> partMatrices;
    glm::vec3 forward{1.0f, 0.0f, 0.0f}; // direction of movement in the model frame
    glm::vec3 target{0.0f};

protected:
    // Places the creature and turns its +x axis toward target. target must differ from the position.
    Animal(const glm::mat4& placement, const glm::vec3& target);
    Animal(const Animal&) = default;
    Animal& operator=(const Animal&) = default;

private:
    void faceTarget();
};

// The live creatures of a game; a creature taken out of the list is destroyed at once.
using CreatureList = std::vector<std::unique_ptr<Animal>>;
