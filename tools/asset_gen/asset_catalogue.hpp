#pragma once
// Every file of the game's data tree, and which generator makes it.

#include "output_folder.hpp"

namespace assetgen {

// Stones/... and Models/... under the output folder.
void writeAllAssets(OutputFolder& out);

} // namespace assetgen
