#include "effects/particle_system.hpp"

#include "effects/particle_shared.hpp"
#include "render/shader_program.hpp"

#include <glm/gtx/norm.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
// Billboard corners for a triangle strip, model units.
constexpr std::array<GLfloat, 12> quadCorners{-0.5f, -0.5f, 0.0f, 0.5f, -0.5f, 0.0f,
                                              -0.5f, 0.5f,  0.0f, 0.5f, 0.5f,  0.0f};
constexpr GLsizeiptr positionBytes = particlePoolSize * 4 * sizeof(float);
constexpr GLsizeiptr colorBytes = particlePoolSize * 4 * sizeof(std::uint8_t);

// A random value in [-1, 1) in steps of 0.001.
float randomUnit()
{
    return static_cast<float>(((std::rand() % 2000) - 1000.0) / 1000.0);
}
} // namespace

ParticleSystem::ParticleSystem(int x, int y, int z)
    : emitter(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z))
{
}

void ParticleSystem::initBuffers()
{
    vertexArray = GlVertexArray::generate();
    glBindVertexArray(vertexArray.get());

    quadBuffer = GlBuffer::generate();
    glBindBuffer(GL_ARRAY_BUFFER, quadBuffer.get());
    glBufferData(GL_ARRAY_BUFFER, sizeof(quadCorners), quadCorners.data(), GL_STATIC_DRAW);
    positionBuffer = GlBuffer::generate();
    glBindBuffer(GL_ARRAY_BUFFER, positionBuffer.get());
    glBufferData(GL_ARRAY_BUFFER, positionBytes, nullptr, GL_STREAM_DRAW);
    colorBuffer = GlBuffer::generate();
    glBindBuffer(GL_ARRAY_BUFFER, colorBuffer.get());
    glBufferData(GL_ARRAY_BUFFER, colorBytes, nullptr, GL_STREAM_DRAW);

    cameraPosition = glm::vec3(0.0f);
    for (Particle& particle : particles) {
        particle.life = -1.0f;
        particle.cameraDistance = -1.0f;
    }
    glBindVertexArray(0);
    countdown = duration;
}

void ParticleSystem::update(float dt)
{
    countdown = static_cast<int>(static_cast<float>(countdown) - dt);
    // Capped before the conversion, so that a long stall cannot overflow the count.
    const int count = static_cast<int>(std::min(dt * emittedPerSecond, double(maxEmittedPerUpdate)));
    if (count > 0)
        emit(count);
    simulate(dt);
    sortBackToFront();
}

// The first dead particle from lastUsed on, wrapping around; slot 0 when all are alive.
int ParticleSystem::freeSlot()
{
    for (int i = lastUsed; i < poolSize; ++i) {
        if (particles[i].life < 0.0f)
            return lastUsed = i;
    }
    for (int i = 0; i < lastUsed; ++i) {
        if (particles[i].life < 0.0f)
            return lastUsed = i;
    }
    return 0;
}

// New particles leave the emitter along a direction that turns a little about y for each of them.
void ParticleSystem::emit(int count)
{
    const float c = static_cast<float>(std::cos(spiralTurn));
    const float s = static_cast<float>(std::sin(spiralTurn));
    for (int k = 0; k < count; ++k) {
        Particle& particle = particles[freeSlot()];
        particle.life = lifetime;
        particle.position = emitter;
        const glm::vec3 d = mainDirection;
        mainDirection = glm::vec3(d.x * c + d.z * s, d.y, d.z * c - d.x * s);
        const float ux = randomUnit();
        const float uy = randomUnit();
        const float uz = randomUnit();
        particle.speed = d + spread * glm::vec3(ux, uy, uz);
        particle.r = static_cast<std::uint8_t>(std::rand() % 150 + 100);
        particle.g = static_cast<std::uint8_t>(std::rand() % 10);
        particle.b = static_cast<std::uint8_t>(std::rand() % 10);
        particle.a = static_cast<std::uint8_t>((std::rand() % 256) / 3);
        particle.size = static_cast<float>((std::rand() % 1000) / 2000.0 + 0.1);
    }
}

void ParticleSystem::simulate(float dt)
{
    instanceCount = 0;
    for (Particle& particle : particles) {
        if (particle.life <= 0.0f)
            continue;
        particle.life -= dt;
        if (particle.life <= 0.0f) { // died in this update
            particle.cameraDistance = -1.0f;
            continue;
        }
        particle.speed.y += gravity * dt * 0.5f;
        particle.position += particle.speed * dt;
        particle.cameraDistance = glm::length2(particle.position - cameraPosition);
        particle.position.y += drift * dt;
        if (countdown > 0)
            stage(particle);
    }
}

void ParticleSystem::stage(const Particle& particle)
{
    const std::size_t at = static_cast<std::size_t>(instanceCount) * 4;
    positionSizeData[at + 0] = particle.position.x;
    positionSizeData[at + 1] = particle.position.y;
    positionSizeData[at + 2] = particle.position.z;
    positionSizeData[at + 3] = particle.size;
    colorData[at + 0] = particle.r;
    colorData[at + 1] = particle.g;
    colorData[at + 2] = particle.b;
    colorData[at + 3] = particle.a;
    instanceCount += 1;
}

// Farthest first, so that blending composes back to front; dead particles (-1) go last.
void ParticleSystem::sortBackToFront()
{
    std::sort(particles.begin(), particles.end(),
              [](const Particle& a, const Particle& b) { return a.cameraDistance > b.cameraDistance; });
}

void ParticleSystem::draw()
{
    if (particleShader == nullptr || vertexArray.get() == 0)
        return;
    glUseProgram(particleShader->id);
    glBindVertexArray(vertexArray.get());

    // Orphan the stream buffers, then upload only the staged prefix.
    glBindBuffer(GL_ARRAY_BUFFER, positionBuffer.get());
    glBufferData(GL_ARRAY_BUFFER, positionBytes, nullptr, GL_STREAM_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, instanceCount * 4 * sizeof(float), positionSizeData.data());
    glBindBuffer(GL_ARRAY_BUFFER, colorBuffer.get());
    glBufferData(GL_ARRAY_BUFFER, colorBytes, nullptr, GL_STREAM_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, instanceCount * 4 * sizeof(std::uint8_t), colorData.data());

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    bindAttribute(0, quadBuffer, 3, GL_FLOAT, GL_FALSE, 0);
    bindAttribute(1, positionBuffer, 4, GL_FLOAT, GL_FALSE, 1);
    bindAttribute(2, colorBuffer, 4, GL_UNSIGNED_BYTE, GL_TRUE, 1);
    glDrawArraysInstanced(GL_TRIANGLE_STRIP, 0, 4, instanceCount);

    // A core context has no default vertex array: switch the attributes off while ours is bound.
    glDisableVertexAttribArray(0);
    glDisableVertexAttribArray(1);
    glDisableVertexAttribArray(2);
    glBindVertexArray(0);
}

void ParticleSystem::bindAttribute(GLuint location, const GlBuffer& buffer, GLint components, GLenum type,
                                   GLboolean normalized, GLuint divisor)
{
    glEnableVertexAttribArray(location);
    glBindBuffer(GL_ARRAY_BUFFER, buffer.get());
    glVertexAttribPointer(location, components, type, normalized, 0, nullptr);
    glVertexAttribDivisor(location, divisor);
}
