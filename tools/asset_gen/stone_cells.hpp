#pragma once
// Where each stone class's cells lie in its model's own coordinates.

#include "mesh.hpp"

#include <string>
#include <vector>

namespace assetgen {

// One stone class as the game places it: model matrix = translate(pivot + drawOffset) * scale.
struct StoneClass {
    std::string file;          // model file name in the Stones folder, without ".obj"
    glm::vec3 scale;
    glm::vec3 drawOffset;      // world units from the pivot cell's position to the model origin
    std::vector<glm::vec3> cells;  // world offsets of the cells from the pivot cell
};

constexpr float cellSize = 100.0f;  // world units per cell

const StoneClass& burgerClass();
const StoneClass& cherryClass();
const StoneClass& frenchFriesClass();
const StoneClass& carrotClass();
const StoneClass& mushroomClass();

// The box the model must fill for one cell: a cell at world offset c covers x and z centred on c and
// y from c.y up by one cell, seen from the model origin and divided by the scale.
Bounds cellBoxInModel(const StoneClass& stone, glm::vec3 cell);
// The union of all cell boxes of the class.
Bounds stoneBoxInModel(const StoneClass& stone);

} // namespace assetgen
