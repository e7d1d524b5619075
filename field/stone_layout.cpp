#include "field/stone_layout.hpp"

#include "field/food.hpp"

#include <glm/gtc/matrix_transform.hpp>

namespace vosk::scene {

void applyStoneLayout(Food& stone, const StoneLayout& layout)
{
    stone.baseShape.assign(layout.cells.begin(), layout.cells.end());
    stone.shape = stone.baseShape;
    stone.modelMatrix = glm::scale(glm::mat4(1.0f), layout.scale);
    stone.offsetFromPivot = layout.baseDrawOffset;
    stone.rotationCenter = layout.rotationCenter;
}

} // namespace vosk::scene
