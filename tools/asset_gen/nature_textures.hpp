#pragma once
// Painted textures of the ground and the trees.

#include "asset_model.hpp"

namespace assetgen {

Material fieldTexture();   // two by two cells of mown grass in a checker, cell edges marked
Material meadowTexture();  // rougher grass around the field
Material hillTexture();    // grass and rock of the far hills
Material barkTexture();
Material needlesTexture();
Material leavesTexture();

} // namespace assetgen
