#pragma once
// The game's icon: the open treasure chest with a burger stone dropping in, drawn from the game's own
// models at every size the desktop's icon theme asks for.

#include "output_folder.hpp"

namespace assetgen {

// hicolor/<n>x<n>/apps/quarvel.png under the output folder, for each icon size.
void writeIcons(OutputFolder& out);

} // namespace assetgen
