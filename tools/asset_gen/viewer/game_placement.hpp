#pragma once
// The game's placement rules for its models (matrices, stone turns, cameras), for viewing the assets
// where the game puts them.

#include "offscreen_renderer.hpp"

#include <glm/glm.hpp>

#include <string>
#include <vector>

namespace assetview {

glm::mat4 groundMatrix();
glm::mat4 treesMatrix();
glm::mat4 chestMatrix();
glm::mat4 crownMatrix();
glm::mat4 beetleMatrix(glm::vec3 position, float headingRadians);
glm::mat4 squirrelMatrix(glm::vec3 position, float headingRadians);

// A stone after some quarter turns, as the game computes it.
struct TurnedStone {
    glm::mat4 model;                // translate(pivot + offset) * scale * turns
    std::vector<glm::vec3> cells;   // world positions of the filled cells (pivot + turned shape)
};
// turns: 'x' or 'z' per quarter turn, in order. scale, offset, centre and cells as the stone class has them.
TurnedStone turnStone(glm::vec3 pivot, glm::vec3 scale, glm::vec3 baseOffset, glm::vec3 rotationCentre,
                      const std::vector<glm::vec3>& baseCells, const std::string& turns);

// Line segments of the edges of a world cell box (x, z centred, y up from the cell position).
std::vector<glm::vec3> cellEdges(glm::vec3 cellPosition);

ViewCamera playerCamera(float aspect);  // the game's camera at start, with its projection
ViewCamera orbitCamera(glm::vec3 target, float distance, float yawDegrees, float pitchDegrees, float fovDegrees,
                       float aspect);
SunLight sunFor(glm::vec3 centre, float radius, glm::vec3 towardLight);

} // namespace assetview
