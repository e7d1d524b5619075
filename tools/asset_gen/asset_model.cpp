#include "asset_model.hpp"

#include <stdexcept>

namespace assetgen {

void AssetModel::setPrecision(int positionDecimals, int normalDecimals)
{
    positionDecimals_ = positionDecimals;
    normalDecimals_ = normalDecimals;
}

void AssetModel::addMaterial(Material material)
{
    if (!findMaterial(material.name))
        materials_.push_back(std::move(material));
}

void AssetModel::add(const Mesh& mesh)
{
    if (!findMaterial(mesh.material()))
        throw std::logic_error("model " + name_ + " uses unknown material " + mesh.material());
    for (Mesh& part : parts_)
        if (part.material() == mesh.material()) {
            part.append(mesh);
            return;
        }
    parts_.push_back(mesh);
}

void AssetModel::transform(const glm::mat4& m)
{
    for (Mesh& part : parts_)
        part.transform(m);
}

const Material* AssetModel::findMaterial(const std::string& name) const
{
    for (const Material& m : materials_)
        if (m.name == name)
            return &m;
    return nullptr;
}

Bounds AssetModel::bounds() const
{
    Bounds b;
    for (const Mesh& part : parts_)
        b.include(part.bounds());
    return b;
}

} // namespace assetgen

