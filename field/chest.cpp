#include "field/chest.hpp"

#include "field/stone_shader.hpp"
#include "render/shader_program.hpp"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

namespace {

// A uniform scale by the chest's model scale, placed at the given world position.
glm::mat4 placed(const glm::vec3& at)
{
    return glm::scale(glm::translate(glm::mat4(1.0f), at), glm::vec3(Chest::modelScale));
}

void setModelUniform(const glm::mat4& matrix)
{
    glUniformMatrix4fv(stoneShader->uniform("model"), 1, GL_FALSE, glm::value_ptr(matrix));
}

} // namespace

Chest::Chest()
    : chestModel("QUARVEL/Ressources/Models/schatztruhe-truhe.obj"),
      diamond1Model("QUARVEL/Ressources/Models/diamant1.obj"),
      necklaceModel("QUARVEL/Ressources/Models/schatztruhe-necklace.obj"),
      crownModel("QUARVEL/Ressources/Models/schatztruhe-crown.obj"),
      coinsModel("QUARVEL/Ressources/Models/coins.obj"),
      diamond2Model("QUARVEL/Ressources/Models/diamant2.obj"),
      treasure{crownModel, diamond2Model, coinsModel, diamond1Model, necklaceModel}
{
    const glm::vec3 crownPosition = position - glm::vec3(0.0f, crownDrop, 0.0f);
    treasureMatrices = {placed(crownPosition), placed(position), placed(position), placed(position),
                        placed(position)};
    modelMatrix = placed(position);
}

void Chest::draw()
{
    setModelUniform(modelMatrix);
    chestModel.draw(*stoneShader);
    for (std::size_t i = 0; i < treasure.size(); ++i) {
        setModelUniform(treasureMatrices[i]);
        treasure[i].draw(*stoneShader);
    }
}

void Chest::removeLastTreasure()
{
    if (treasure.empty())
        return;
    treasure.pop_back();
    treasureMatrices.pop_back();
}
