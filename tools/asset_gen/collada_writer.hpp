#pragma once
// Writes a skinned, animated model as COLLADA 1.4.1 (Y up, metres of 1): a joint tree under a
// plain root node, the skinned mesh in a node of its own, one animation with a matrix channel per
// keyed joint, and the material's texture as a PNG beside it.

#include "output_folder.hpp"
#include "skinned_model.hpp"

#include <string>

namespace assetgen {

std::string colladaText(const SkinnedModel& model);
// Returns the corners of the polygons written: the vertices an importer makes of the mesh.
std::size_t writeColladaModel(OutputFolder& out, const std::string& directory, const SkinnedModel& model);

} // namespace assetgen
