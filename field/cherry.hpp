#pragma once
// The green four-cell S stone standing in the y-z plane.

#include "field/food.hpp"
#include "render/model.hpp"

namespace vosk::scene {

class Cherry : public Food {
public:
    Cherry();

    char symbol() const override { return 'C'; }
    int cellCount() const override { return 4; }
    Model& model() override { return stoneModel; }
    glm::vec3 drawOffset() const override { return offsetFromPivot; }
    int colorIndex() const override { return 1; }
    void rotateAboutX() override { rotate90(true); }
    void rotateAboutZ() override { rotate90(false); }
    const std::vector<glm::vec3>& shapeCells() const override { return shape; }
    glm::vec3 baseDrawOffset() const override;

    Model stoneModel;
};

} // namespace vosk::scene
