#pragma once
// The yellow straight bar of four cells, standing upright.

#include "field/food.hpp"
#include "render/model.hpp"

namespace vosk::scene {

class FrenchFries : public Food {
public:
    FrenchFries();

    char symbol() const override { return 'F'; }
    int cellCount() const override { return 4; }
    Model& model() override { return stoneModel; }
    glm::vec3 drawOffset() const override { return offsetFromPivot; }
    int colorIndex() const override { return 2; }
    void rotateAboutX() override { rotate90(true); }
    void rotateAboutZ() override { rotate90(false); }
    const std::vector<glm::vec3>& shapeCells() const override { return shape; }
    glm::vec3 baseDrawOffset() const override;

    Model stoneModel;
};

} // namespace vosk::scene
