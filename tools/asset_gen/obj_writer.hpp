#pragma once
// Writes a model as Wavefront OBJ with its MTL file and one PNG texture per material.

#include "asset_model.hpp"
#include "output_folder.hpp"

#include <string>

namespace assetgen {

// OBJ text: one object, shared v / vt / vn lines, one usemtl group per part.
std::string objText(const AssetModel& model, const std::string& mtlFile);
// MTL text: each material with map_Kd naming its texture by bare file name.
std::string mtlText(const AssetModel& model);
// directory/name.obj, directory/name.mtl and the textures beside them. Returns the corners of the
// faces written: the vertices an importer that triangulates makes of the model.
std::size_t writeObjModel(OutputFolder& out, const std::string& directory, const AssetModel& model);

} // namespace assetgen
