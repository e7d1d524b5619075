#pragma once
// Painted textures of the five food stones.

#include "asset_model.hpp"

namespace assetgen {

Material cherryTexture();
Material stemTexture();
Material leafTexture();
Material carrotTexture();
Material carrotGreensTexture();
Material mushroomCapTexture();
Material mushroomGillsTexture();
Material mushroomStemTexture();
Material friesTexture();
Material cartonTexture();

} // namespace assetgen
