#pragma once
// Painted textures of the five food stones.

#include "asset_model.hpp"

namespace assetgen {

Material bunTexture();
Material sesameTexture();
Material pattyTexture();
Material cheeseTexture();
Material tomatoTexture();
Material lettuceTexture();
Material cherryTexture();
Material stemTexture();
Material leafTexture();
Material carrotTexture();
Material carrotGreensTexture();
Material mushroomCapTexture();
Material mushroomSpotTexture();
Material mushroomGillsTexture();
Material mushroomStemTexture();
Material friesTexture();
Material cartonTexture();

} // namespace assetgen
