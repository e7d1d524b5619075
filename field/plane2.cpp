#include "field/plane2.hpp"

#include "render/shader_program.hpp"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

namespace {
constexpr glm::vec3 groundStretch{33.0f, 1.0f, 32.0f};
constexpr glm::vec3 modelCentreShift{-1.4f, 0.0f, -0.34f}; // model units
constexpr glm::vec3 fieldCentreShift{22.0f, 0.0f, 22.0f};  // model units
} // namespace

Plane2::Plane2(int, int)
    : fieldModel("QUARVEL/Ressources/Models/field2.obj"), treesModel("QUARVEL/Ressources/Models/fewtrees.obj")
{
    modelMatrix = glm::scale(modelMatrix, groundStretch);
    modelMatrix = glm::translate(modelMatrix, modelCentreShift);
    modelMatrix = glm::translate(modelMatrix, fieldCentreShift);
}

void Plane2::draw()
{
    glUniformMatrix4fv(shader->uniform("model"), 1, GL_FALSE, glm::value_ptr(modelMatrix));
    fieldModel.draw(*shader);
}
