#pragma once
// The pictures the asset viewer makes, each from the data tree at root (QUARVEL/Ressources).

#include "../image.hpp"

#include <string>

namespace assetview {

// Every model alone, lit and shadowed on a floor, in one grid.
assetgen::Image contactSheet(const std::string& root);
// Each stone with its cell boxes drawn over it, unturned and after quarter turns.
assetgen::Image stoneCells(const std::string& root);
// The game's opening view: ground, trees, chest and treasure, some stones and creatures.
assetgen::Image gameView(const std::string& root, double seconds);
// The squirrel from the side at several moments of its loop, with the ground and 60 units marked.
assetgen::Image squirrelFrames(const std::string& root);
// The chest from the player's camera as the treasure pieces go, one picture per loss.
assetgen::Image chestLosses(const std::string& root);

// One model file from the given direction (degrees), animated models at the given game time.
assetgen::Image singleModel(const std::string& file, float yaw, float pitch, double seconds);

// Puts tiles side by side, columns per row.
assetgen::Image tileImages(const std::vector<assetgen::Image>& tiles, int columns);

} // namespace assetview
