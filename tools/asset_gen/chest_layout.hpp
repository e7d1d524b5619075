#pragma once
// Where the chest's parts and the treasure pieces sit, in the chest's model units (100 world units
// each, origin at world (700, 0, 680)): the chest, the treasure and the pile that holds them agree here.

#include <glm/glm.hpp>

namespace assetgen::chest {

constexpr float halfWidth = 1.15f;   // x: world 585..815, inside the blocked columns 550..850
constexpr float front = -0.55f;      // z: world 625 (front faces the player's camera)
constexpr float back = 0.95f;        // z: world 775
constexpr float wall = 0.1f;
constexpr float rimHeight = 0.95f;
constexpr float floorHeight = 0.5f;  // raised floor inside, so the treasure shows
constexpr float lidOpenDegrees = 100.0f;
constexpr float crownDrop = 0.2f;    // the game draws the crown 20 world units lower than the rest

// The velvet cushions (part of the chest) the crown and the green gem rest on, standing clear of the
// coins so both pieces show while the coins are there and stay put when they are gone.
constexpr glm::vec3 cushionTop{0.0f, 1.13f, 0.42f};
constexpr float cushionHalf = 0.27f;
constexpr glm::vec3 gemCushionTop{0.7f, 1.02f, 0.42f};
constexpr float gemCushionHalf = 0.17f;

// Inside of the walls.
constexpr float innerHalfWidth = halfWidth - wall;
constexpr float innerFront = front + wall;
constexpr float innerBack = back - wall;

// Height of the top of the coin heap at (x, z) inside the chest.
float coinPileHeight(float x, float z);

} // namespace assetgen::chest
