#pragma once
// Painted textures of the chest and its treasure.

#include "asset_model.hpp"

namespace assetgen {

Material chestWoodTexture();
Material chestInnerTexture();
Material ironTexture();
Material brassTexture();
Material velvetTexture();
Material goldTexture();
Material coinTexture();
Material coinPileTexture();
Material pearlTexture();
Material gemTexture(const std::string& name, glm::vec3 light, glm::vec3 deep);

} // namespace assetgen
