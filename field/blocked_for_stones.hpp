#pragma once
// Invisible marker filling the columns around the chest, so that no stone can be steered there.

#include "field/food.hpp"

class BlockedForStones : public vosk::scene::Food {
public:
    BlockedForStones() = default;

    void draw() override {}
    char symbol() const override { return '-'; }
    int cellCount() const override { return 0; }
    // Not used by the game: the marker has no model. Gives an empty one.
    Model& model() override;
    glm::vec3 drawOffset() const override { return glm::vec3(0.0f); }
    int colorIndex() const override { return 0; }
    void rotateAboutX() override {}
    void rotateAboutZ() override {}
    const std::vector<glm::vec3>& shapeCells() const override { return noCells; }
    glm::vec3 baseDrawOffset() const override { return glm::vec3(0.0f); }

private:
    static inline const std::vector<glm::vec3> noCells;
};
