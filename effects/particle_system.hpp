#pragma once
// A burst of red billboard particles spiralling out of one point, sorted back to front, drawn instanced.

#include "effects/particle.hpp"
#include "effects/particle_shared.hpp" // particleShader, which draw uses
#include "render/gl_object.hpp"

#include <glm/glm.hpp>

#include <array>

class ParticleSystem {
public:
    static constexpr int poolSize = particlePoolSize;
    static constexpr int maxEmittedPerUpdate = 160;      // the amount of a 16 ms frame
    static constexpr double emittedPerSecond = 10000.0;
    static constexpr float lifetime = 5.0f;              // seconds
    static constexpr float gravity = -9.81f;             // world units per second squared, at half strength
    static constexpr float drift = 10.0f;                // world units per second upward
    static constexpr double spiralTurn = 0.1;            // radians about y between two emitted particles
    static constexpr float spread = 1.5f;                // world units per second of random speed per axis
    static constexpr int drawnUpdates = 1500;            // updates after initBuffers that are drawn

    // Emitter at the given world point. Nothing is emitted before initBuffers.
    ParticleSystem(int x, int y, int z);
    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;
    ParticleSystem(ParticleSystem&&) = default;
    ParticleSystem& operator=(ParticleSystem&&) = default;

    // Creates the GL objects and kills every particle; once, with a current context, before update.
    void initBuffers();
    // Counts down, emits, moves and stages the live particles, then sorts the pool for the next update.
    // Allocates nothing.
    void update(float dt);
    // Uploads what the last update staged and draws it with particleShader, blending on.
    // No other system's update may come between this system's update and draw.
    void draw();

    glm::vec3 cameraPosition{0.0f}; // distances for the sort are measured from here
    GlBuffer positionBuffer;
    GlBuffer quadBuffer;
    GlBuffer colorBuffer;
    GlVertexArray vertexArray;
    std::array<Particle, poolSize> particles{};
    int lastUsed = 0;       // where the search for a free slot starts
    int instanceCount = 0;  // particles staged by the last update
    int duration = drawnUpdates;
    int countdown = 0;      // drawn while positive
    glm::vec3 mainDirection{50.0f, 1.0f, 0.0f}; // base speed of the next emitted particle
    glm::vec3 emitter;

private:
    int freeSlot();
    void emit(int count);
    void simulate(float dt);
    void stage(const Particle& particle);
    void sortBackToFront();
    void bindAttribute(GLuint location, const GlBuffer& buffer, GLint components, GLenum type,
                       GLboolean normalized, GLuint divisor);
};
