#pragma once
// The red 2 x 2 x 2 cube stone; turning it turns only its model, never the cells it fills.

#include "field/food.hpp"
#include "render/model.hpp"

namespace vosk::scene {

class Burger : public Food {
public:
    Burger();

    char symbol() const override { return 'B'; }
    int cellCount() const override { return 8; }
    Model& model() override { return stoneModel; }
    glm::vec3 drawOffset() const override { return offsetFromPivot; }
    int colorIndex() const override { return 0; }
    void rotateAboutX() override { rotate90(true); }
    void rotateAboutZ() override { rotate90(false); }
    const std::vector<glm::vec3>& shapeCells() const override { return baseShape; }
    glm::vec3 baseDrawOffset() const override;

    Model stoneModel;
};

} // namespace vosk::scene
