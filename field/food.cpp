#include "field/food.hpp"

#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "field/stone_shader.hpp"
#include "render/model.hpp"
#include "render/shader_program.hpp"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>

ShaderProgram* stoneShader = nullptr;

namespace vosk::scene {

namespace {
constexpr float quarterTurn = 1.5707964f; // radians
constexpr float releasedSpeed = 100.0f;   // world units per second of a stone that falls again
} // namespace

void Food::draw()
{
    const glm::vec3 color = stoneColors[colorIndex()];
    glUniform4f(stoneShader->uniform("stone_color"), color.r, color.g, color.b, 1.0f);
    model().draw(*stoneShader);
}

void Food::rotate90(bool aboutX)
{
    const glm::vec3 axis = aboutX ? glm::vec3(1.0f, 0.0f, 0.0f) : glm::vec3(0.0f, 0.0f, 1.0f);
    pivotRotation = glm::translate(pivotRotation, rotationCenter);
    pivotRotation = glm::rotate(pivotRotation, quarterTurn, axis);
    pivotRotation = glm::translate(pivotRotation, -rotationCenter);
    modelMatrix = glm::rotate(modelMatrix, quarterTurn, axis);

    glm::mat4 turnOnly = pivotRotation;
    turnOnly[3] = glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
    for (std::size_t i = 0; i < shape.size(); ++i)
        shape[i] = glm::vec3(turnOnly * glm::vec4(baseShape[i], 1.0f));
    offsetFromPivot = glm::vec3(pivotRotation[3]) + baseDrawOffset();
}

void Food::fallIfUnsupported(Playfield& field)
{
    if (gridCells.empty() || isSupported(field))
        return;

    for (const glm::ivec3& cell : gridCells)
        field.at(cell.x, cell.y, cell.z) = nullptr;
    field.releaseStonesAbove(*this);
    const glm::ivec3 from = pivotCell.value_or(gridCells.front());
    const glm::vec3 pivot(Playfield::cellSize * from.x, Playfield::cellSize * from.z,
                          Playfield::cellSize * from.y);
    gridCells.clear();
    pivotCell.reset();

    auto controller = std::make_unique<StoneController>(field, shared_from_this(), pivot);
    controller->baseSpeed = releasedSpeed;
    controller->speed = releasedSpeed;
    field.fallingStones.push_back(std::move(controller));
}

bool Food::isSupported(const Playfield& field) const
{
    const auto ownCell = [this](const glm::ivec3& cell) {
        return std::find(gridCells.begin(), gridCells.end(), cell) != gridCells.end();
    };
    for (const glm::ivec3& cell : gridCells) {
        if (cell.z == 0)
            return true; // on the ground
        const glm::ivec3 below(cell.x, cell.y, cell.z - 1);
        if (field.at(below.x, below.y, below.z) != nullptr && !ownCell(below))
            return true;
    }
    return false;
}

} // namespace vosk::scene
