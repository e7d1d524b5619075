#pragma once
// A model as it goes to disk: meshes grouped by material, and each material's painted texture.

#include "image.hpp"
#include "mesh.hpp"

#include <string>
#include <vector>

namespace assetgen {

struct Material {
    std::string name;  // the texture file is name + ".png"
    Image texture;
    glm::vec3 specular{0.25f};
    float shininess = 24.0f;

    std::string textureFile() const { return name + ".png"; }
};

class AssetModel {
public:
    explicit AssetModel(std::string name) : name_(std::move(name)) {}

    const std::string& name() const { return name_; }
    // Decimal places written for positions and normals (big, far models need fewer).
    void setPrecision(int positionDecimals, int normalDecimals);
    int positionDecimals() const { return positionDecimals_; }
    int normalDecimals() const { return normalDecimals_; }
    // Later materials of the same name are ignored: one texture per name.
    void addMaterial(Material material);
    // Joins the part of the same material, or starts a new part in order of first use.
    void add(const Mesh& mesh);
    void transform(const glm::mat4& m);

    const std::vector<Mesh>& parts() const { return parts_; }
    const std::vector<Material>& materials() const { return materials_; }
    const Material* findMaterial(const std::string& name) const;
    Bounds bounds() const;

private:
    std::string name_;
    int positionDecimals_ = 3, normalDecimals_ = 3;
    std::vector<Mesh> parts_;
    std::vector<Material> materials_;
};

} // namespace assetgen
