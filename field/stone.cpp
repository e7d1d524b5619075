#include "field/stone.hpp"

#include <glm/gtc/matrix_transform.hpp>

namespace vosk::scene {

Stone::Stone(const StoneLayout& layout) : stoneModel(layout.modelFile), layout_(&layout)
{
    baseShape.assign(layout.cells.begin(), layout.cells.end());
    shape = baseShape;
    modelMatrix = glm::scale(glm::mat4(1.0f), layout.scale);
    offsetFromPivot = layout.baseDrawOffset;
    rotationCenter = layout.rotationCenter;
}

} // namespace vosk::scene
