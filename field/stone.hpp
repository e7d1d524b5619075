#pragma once
// A falling stone of one of the five food shapes, made entirely from its class's layout constants.

#include "field/food.hpp"
#include "render/model.hpp"

#include <glm/glm.hpp>

#include <span>

namespace vosk::scene {

// The constants that make one stone class.
struct StoneLayout {
    const char* modelFile;
    glm::vec3 scale;                  // model scale per axis
    std::span<const glm::vec3> cells; // unturned cells, world units from the pivot; the first is (0, 0, 0)
    glm::vec3 baseDrawOffset;         // pivot cell position to model origin of the unturned stone
    glm::vec3 rotationCenter;         // centre of the quarter turns, relative to the pivot cell
    char symbol;                      // in the printed grid
    int colorIndex;                   // into Food::stoneColors
    bool cellsTurn;                   // false: turns change the model only, never the cells it fills
};

class Stone : public Food {
public:
    char symbol() const override { return layout_->symbol; }
    int cellCount() const override { return static_cast<int>(layout_->cells.size()); }
    Model& model() override { return stoneModel; }
    glm::vec3 drawOffset() const override { return offsetFromPivot; }
    int colorIndex() const override { return layout_->colorIndex; }
    void rotateAboutX() override { rotate90(true); }
    void rotateAboutZ() override { rotate90(false); }
    const std::vector<glm::vec3>& shapeCells() const override { return layout_->cellsTurn ? shape : baseShape; }
    glm::vec3 baseDrawOffset() const override { return layout_->baseDrawOffset; }

    Model stoneModel;

protected:
    // Loads the model, fills baseShape and shape, scales the model matrix and sets the draw offset and
    // the turn centre. The layout must outlive the stone (the classes keep theirs as constants).
    explicit Stone(const StoneLayout& layout);

private:
    const StoneLayout* layout_;
};

} // namespace vosk::scene
