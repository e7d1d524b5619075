#pragma once
// The squirrel's one texture: an atlas of fur, tail, eyes, acorn and pale patches.

#include "asset_model.hpp"

namespace assetgen {

// Regions (u0, v0, u1, v1): body fur [0, .5] x [.5, 1] (back colour at the left turning to belly cream
// at the right), tail [.5, 1] x [.5, 1], dark [0, .25] x [.25, .5], acorn [.25, .5] x [.25, .5],
// acorn cap [.5, .75] x [.25, .5], pale [.75, 1] x [.25, .5].
Material squirrelTexture();

} // namespace assetgen
