#pragma once
// The animated squirrel (bakedsq.dae): skinned mesh, skeleton and gnawing loop.

#include "skinned_model.hpp"

namespace assetgen {

SkinnedModel makeSquirrel();

} // namespace assetgen
