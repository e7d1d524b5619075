#pragma once
// The five food stones, each filling exactly the cells of its class (see stone_cells.hpp).

#include "asset_model.hpp"

namespace assetgen {

AssetModel makeBurger();
AssetModel makeCherry();
AssetModel makeFrenchFries();
AssetModel makeCarrot();
AssetModel makeMushroom();

} // namespace assetgen
