#include "creatures/lucanus_cervus.hpp"

#include "creatures/creature_shaders.hpp"
#include "field/playfield.hpp"
#include "render/shader_program.hpp"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <algorithm>
#include <cmath>
#include <iostream>

namespace {
constexpr float halfPi = 1.5707964f;           // radians
constexpr float degreesPerRadian = 57.29578f;
constexpr float radiansPerDegree = 0.017453292f;
const glm::vec3 yAxis(0.0f, 1.0f, 0.0f);
const glm::vec3 zAxis(0.0f, 0.0f, 1.0f);
const glm::vec3 noStone(-1.0f, -1.0f, -1.0f);

// Probe offsets in model units (16 world units each).
const glm::vec3 aheadProbe(0.8f, 0.0f, 0.0f);
const glm::vec3 supportLeftProbe(-0.8f, -3.1f, -0.2f);
const glm::vec3 supportRightProbe(-0.8f, -3.1f, 0.2f);
const glm::vec3 headProbe(0.0f, 0.6f, 0.0f);
const glm::vec3 wallProbe(0.8f, -3.0f, 0.0f);
const glm::vec3 belowProbe(0.0f, -3.0f, 0.0f);
const glm::vec3 behindProbe(-0.8f, 0.0f, 0.0f);
const glm::vec3 overheadLeftProbe(0.0f, 3.1f, -0.2f);
const glm::vec3 overheadRightProbe(0.0f, 3.1f, 0.2f);

const glm::vec4 bodyColor(0.3f, 0.4f, 0.5f, 1.0f);
const glm::vec4 markerColor(1.0f, 0.4f, 0.5f, 1.0f);

float clampedAcosDegrees(float value)
{
    return std::acos(std::clamp(value, -1.0f, 1.0f)) * degreesPerRadian;
}

void drawPart(const ShaderProgram& program, const glm::mat4& matrix, const glm::vec4& color, Model& model)
{
    glUniformMatrix4fv(program.uniform("model"), 1, GL_FALSE, glm::value_ptr(matrix));
    glUniform4f(program.uniform("stone_color"), color.r, color.g, color.b, color.a);
    model.draw(program);
}
} // namespace

LucanusCervus::LucanusCervus(glm::mat4 placement, glm::vec3 target)
    : Animal(placement, target), bodyModel(bodyPath), markerModel(markerPath)
{
    modelMatrix = glm::scale(modelMatrix, glm::vec3(modelScale));
    // The marker takes its small drawing pose at once: a beetle drawn before its first update (one of
    // a ring spawned in the game's last frame) must not show the marker full-sized at its feet.
    partMatrices.push_back(markerPose());
    drawMatrix = modelMatrix;
    speed = static_cast<float>(walkSpeed);
}

void LucanusCervus::draw()
{
    if (beetleShader == nullptr)
        return;
    drawPart(*beetleShader, drawMatrix, bodyColor, bodyModel);
    drawPart(*beetleShader, partMatrices[0], markerColor, markerModel);
}

void LucanusCervus::update(float dt)
{
    drawMatrix[3] = modelMatrix[3];
    modelMatrix = glm::translate(modelMatrix, forward * dt * speed);
    partMatrices[0] = markerPose();
}

glm::mat4 LucanusCervus::markerPose() const
{
    const glm::mat4 tilted = glm::rotate(modelMatrix, -halfPi, zAxis);
    return glm::translate(glm::scale(tilted, glm::vec3(0.1f)), glm::vec3(40.0f, -32.0f, 1.0f));
}

void LucanusCervus::think(Playfield& field)
{
    bool flags[2] = {false, false};
    switch (state) {
    case BeetleState::Walking:
        flags[0] = probe(field, aheadProbe);
        flags[1] = probe(field, supportLeftProbe) || probe(field, supportRightProbe);
        break;
    case BeetleState::Climbing:
        flags[0] = probe(field, headProbe);
        flags[1] = probe(field, wallProbe);
        break;
    case BeetleState::Descending:
        flags[0] = probe(field, belowProbe);
        break;
    case BeetleState::Backing:
        flags[0] = probe(field, behindProbe);
        flags[1] = probe(field, overheadLeftProbe) || probe(field, overheadRightProbe);
        break;
    case BeetleState::Dropping:
        break;
    }
    react(flags);
}

void LucanusCervus::react(const bool flags[2])
{
    const float y = modelMatrix[3].y;
    countAirStep(y, flags[1]);
    switch (state) {
    case BeetleState::Walking: walk(flags[0], flags[1], y); break;
    case BeetleState::Climbing: climb(flags[0], flags[1]); break;
    case BeetleState::Descending: descend(flags[0], y); break;
    case BeetleState::Backing: back(flags[0], flags[1]); break;
    case BeetleState::Dropping: drop(flags[0], y); break;
    }
}

bool LucanusCervus::probe(const Playfield& field, const glm::vec3& offset) const
{
    return field.stoneCellAt(glm::translate(modelMatrix, offset)) != noStone;
}

void LucanusCervus::turn(float angle)
{
    const glm::mat4 rotation = glm::rotate(glm::mat4(1.0f), angle, zAxis);
    forward = glm::mat3(rotation) * forward;
    drawMatrix = glm::rotate(drawMatrix, angle, zAxis);
}

void LucanusCervus::alignHeading()
{
    const float a = clampedAcosDegrees(direction.z);
    const float b = clampedAcosDegrees(-direction.x);
    float yaw = 0.0f;
    if (a <= 45.0f)
        yaw = b > 90.0f ? -a : a;
    else if (a <= 90.0f)
        yaw = b > 135.0f ? 90.0f - a : a - 90.0f;
    else if (a <= 135.0f)
        yaw = b < 135.0f ? b : b + 180.0f;
    else
        yaw = b < 90.0f ? a - 180.0f : 180.0f - a;
    alignAngle = yaw;
    std::cout << "YES";
    modelMatrix = glm::rotate(modelMatrix, yaw * radiansPerDegree, yAxis);
}

// Too long in the air without support: from then on the beetle drops straight down.
void LucanusCervus::countAirStep(float y, bool supported)
{
    if (y <= 0.0f || supported)
        return;
    airFrames += 1;
    if (airFrames > maxAirFrames) {
        dropping = true;
        std::cout << "FLYIN";
    }
}

void LucanusCervus::walk(bool stoneAhead, bool supported, float y)
{
    if (dropping) {
        state = BeetleState::Dropping;
        modelMatrix = glm::rotate(modelMatrix, -halfPi, zAxis);
        speed = static_cast<float>(dropSpeed);
    }
    if (supported)
        supportSeen = true;
    if (y > 0.0f && !supported && supportSeen) { // walked off an edge
        const float x = modelMatrix[3].x;
        const float z = modelMatrix[3].z;
        std::cout << x << "|" << z << "|" << topX << "|" << topZ << "|" << x * z - topX * topZ << "\n";
        turn(-halfPi);
        state = BeetleState::Descending;
        supportSeen = false;
    }
    if (stoneAhead) {
        alignHeading();
        turn(halfPi);
        startClimbing();
        supportSeen = false;
        wallSeen = false;
        std::cout << y;
    }
}

void LucanusCervus::climb(bool stoneAbove, bool wallAhead)
{
    if (wallAhead) {
        wallSeen = true;
        if (stoneAbove) {
            state = BeetleState::Backing;
            turn(halfPi);
        }
    } else if (wallSeen) { // top reached: walk on along the original heading
        turn(-halfPi);
        modelMatrix = glm::rotate(modelMatrix, -alignAngle * radiansPerDegree, yAxis);
        state = BeetleState::Walking;
        airFrames = 0;
        topX = modelMatrix[3].x;
        topZ = modelMatrix[3].z;
    } else {
        searchWall();
    }
}

void LucanusCervus::startClimbing()
{
    state = BeetleState::Climbing;
    wallSearchTurns = 0;
}

// No wall face yet: look for it a quarter turn further. A beetle that met a stone's corner
// diagonally finds no face along any axis; after a full circle it looks along its own heading,
// where it met the stone. Without a wall there either, it would climb into the sky for ever:
// it comes back down instead.
void LucanusCervus::searchWall()
{
    if (wallSearchTurns < fullCircle) {
        modelMatrix = glm::rotate(modelMatrix, halfPi, yAxis);
        alignAngle += 90.0f;
    } else if (wallSearchTurns == fullCircle) {
        modelMatrix = glm::rotate(modelMatrix, -alignAngle * radiansPerDegree, yAxis);
        alignAngle = 0.0f;
    } else {
        turn(2.0f * halfPi);
        state = BeetleState::Descending;
    }
    ++wallSearchTurns;
}

void LucanusCervus::descend(bool stoneBelow, float y)
{
    if (belowGround(y) || stoneBelow) {
        state = BeetleState::Walking;
        turn(halfPi);
    }
}

void LucanusCervus::back(bool stoneBehind, bool stoneAbove)
{
    if (stoneBehind) {
        state = BeetleState::Descending;
        turn(halfPi);
    }
    if (!stoneAbove) {
        startClimbing();
        turn(-halfPi);
        wallSeen = false;
    }
}

void LucanusCervus::drop(bool stoneBelow, float y)
{
    if (belowGround(y) || stoneBelow) {
        state = BeetleState::Walking;
        modelMatrix = glm::rotate(modelMatrix, halfPi, zAxis);
        speed = static_cast<float>(walkSpeed);
    }
}

// Below the ground the beetle is put back onto it.
bool LucanusCervus::belowGround(float y)
{
    if (y >= 0.0f)
        return false;
    modelMatrix[3].y = 0.0f;
    return true;
}
