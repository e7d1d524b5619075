#pragma once
// The constants that make one stone class, and the constructor steps every stone class shares.

#include <glm/glm.hpp>

#include <span>

namespace vosk::scene {

class Food;

struct StoneLayout {
    const char* modelFile;
    glm::vec3 scale;                  // model scale per axis
    std::span<const glm::vec3> cells; // unturned cells, world units from the pivot; the first is (0, 0, 0)
    glm::vec3 baseDrawOffset;         // pivot cell position to model origin of the unturned stone
    glm::vec3 rotationCenter;         // centre of the quarter turns, relative to the pivot cell
};

// Fills baseShape and shape with the cells, scales the model matrix, sets the draw offset and the
// turn centre. The model itself is loaded by the stone's own member initialiser before this runs.
void applyStoneLayout(Food& stone, const StoneLayout& layout);

} // namespace vosk::scene
