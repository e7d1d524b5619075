#pragma once
// The models of the scene besides the stones: chest and treasure, ground, trees and the stag beetle.

#include "asset_model.hpp"

namespace assetgen {

AssetModel makeChest();
AssetModel makeCrown();
AssetModel makeDiamond1();
AssetModel makeDiamond2();
AssetModel makeCoins();
AssetModel makeNecklace();
AssetModel makeGround();
AssetModel makeTreeRing();
AssetModel makeFewTrees();
AssetModel makeBeetle();

} // namespace assetgen
