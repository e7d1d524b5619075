#pragma once
// The animated squirrel: walks straight toward the chest, stops at ground-level stones and gnaws them away.

#include "creatures/animal.hpp"
#include "render/model.hpp"

class Squirrel : public Animal {
public:
    static constexpr float bodyHeight = 30.0f;  // world units, for the smash test
    static constexpr float modelScale = 7.0f;   // world units per model unit
    static constexpr float bodyLift = 25.0f;    // model units the body is raised above its ground frame
    static constexpr double gnawTime = 5.0;     // seconds of gnawing before the stone is gone
    static constexpr const char* bodyPath = "QUARVEL/Ressources/Models/bakedsq.dae";

    Squirrel(glm::mat4 placement, glm::vec3 target);

    // The body with drawMatrix and squirrelShader; the model animates itself from the GLFW clock.
    void draw() override;
    // Moves body and probe frame along the heading unless the squirrel is gnawing.
    void update(float dt) override;
    float height() const override { return bodyHeight; }
    // Starts or continues gnawing at a stone at the probe point; removes it after more than gnawTime.
    void think(Playfield& field) override;
    void react(const bool[2]) override {}

    bool gnawing = false;
    double gnawStart = -1.0; // GLFW clock at the start of the timed gnawing, -1 when none is timed
    Model bodyModel;
    glm::mat4 drawMatrix{1.0f};
};
