#include "creatures/squirrel.hpp"

#include "creatures/creature_shaders.hpp"
#include "field/game_events.hpp"
#include "field/playfield.hpp"
#include "render/shader_program.hpp"

#include <GLFW/glfw3.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

namespace {
constexpr float halfPi = 1.5707964f; // radians
const glm::vec3 xAxis(1.0f, 0.0f, 0.0f);
const glm::vec4 bodyColor(0.3f, 0.4f, 0.5f, 1.0f);
} // namespace

Squirrel::Squirrel(glm::mat4 placement, glm::vec3 target) : Animal(placement, target), bodyModel(bodyPath)
{
    modelMatrix = glm::scale(modelMatrix, glm::vec3(modelScale));
    partMatrices.push_back(glm::translate(modelMatrix, xAxis)); // probe one model unit ahead, on the ground
    modelMatrix = glm::translate(modelMatrix, glm::vec3(0.0f, bodyLift, 0.0f));
    modelMatrix = glm::rotate(modelMatrix, halfPi, xAxis);
    drawMatrix = modelMatrix;
    speed = 2.2f;
}

void Squirrel::draw()
{
    if (squirrelShader == nullptr)
        return;
    glUniformMatrix4fv(squirrelShader->uniform("model"), 1, GL_FALSE, glm::value_ptr(drawMatrix));
    glUniform4f(squirrelShader->uniform("stone_color"), bodyColor.r, bodyColor.g, bodyColor.b, bodyColor.a);
    bodyModel.draw(*squirrelShader);
}

void Squirrel::update(float dt)
{
    drawMatrix[3] = modelMatrix[3];
    if (gnawing)
        return;
    const glm::vec3 step = forward * dt * speed;
    modelMatrix = glm::translate(modelMatrix, step);
    partMatrices[0] = glm::translate(partMatrices[0], step);
}

void Squirrel::think(Playfield& field)
{
    const glm::vec3 cell = field.stoneCellAt(partMatrices[0]); // (x, z, level)
    if (cell.x == -1.0f) {
        gnawing = false; // the timer keeps running from its old start
        return;
    }
    if (gnawStart < 0.0)
        gnawStart = glfwGetTime();
    gnawing = true;
    if (!removed) // a squirrel crushed in this frame leaves play before anyone hears it
        GameEvents::record(field.events, {GameEvent::Kind::SquirrelGnawing, position()});
    if (glfwGetTime() - gnawStart > gnawTime) {
        field.removeStone(static_cast<int>(cell.x), static_cast<int>(cell.z), static_cast<int>(cell.y));
        gnawStart = -1.0;
    }
}
