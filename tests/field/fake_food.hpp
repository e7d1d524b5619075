#pragma once
// A stone without a model, for grid tests that need no drawing.

#include "field/food.hpp"

#include <cstdlib>
#include <memory>

class FakeFood : public vosk::scene::Food {
public:
    explicit FakeFood(char symbol = 'B', std::vector<glm::vec3> cells = {glm::vec3(0.0f)}) : symbol_(symbol)
    {
        baseShape = std::move(cells);
        shape = baseShape;
    }

    void draw() override {}
    char symbol() const override { return symbol_; }
    int cellCount() const override { return static_cast<int>(shape.size()); }
    Model& model() override { std::abort(); }
    glm::vec3 drawOffset() const override { return offsetFromPivot; }
    int colorIndex() const override { return 0; }
    void rotateAboutX() override { rotate90(true); }
    void rotateAboutZ() override { rotate90(false); }
    const std::vector<glm::vec3>& shapeCells() const override { return shape; }
    glm::vec3 baseDrawOffset() const override { return glm::vec3(0.0f); }

private:
    char symbol_;
};

// Writes the food into the given cells (x, z, level) and lists it as landed.
inline std::shared_ptr<FakeFood> placeFood(Playfield& field, std::vector<glm::ivec3> cells, char symbol = 'B')
{
    auto food = std::make_shared<FakeFood>(symbol);
    for (const glm::ivec3& c : cells) {
        field.at(c.x, c.y, c.z) = food.get();
        food->gridCells.push_back(c);
    }
    field.landedStones.push_back(food);
    return food;
}
