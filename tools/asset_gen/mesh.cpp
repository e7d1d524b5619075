#include "mesh.hpp"

#include <utility>

namespace assetgen {

void Bounds::include(glm::vec3 p)
{
    min = glm::min(min, p);
    max = glm::max(max, p);
}

void Bounds::include(const Bounds& other)
{
    if (other.empty())
        return;
    include(other.min);
    include(other.max);
}

Mesh::Mesh(std::string material) : material_(std::move(material)) {}

uint32_t Mesh::addVertex(const Vertex& v)
{
    vertices_.push_back(v);
    return static_cast<uint32_t>(vertices_.size() - 1);
}

uint32_t Mesh::addVertex(glm::vec3 position, glm::vec3 normal, glm::vec2 uv)
{
    return addVertex(Vertex{position, normal, uv});
}

void Mesh::addTriangle(uint32_t a, uint32_t b, uint32_t c)
{
    indices_.insert(indices_.end(), {a, b, c});
}

void Mesh::addQuad(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
{
    addTriangle(a, b, c);
    addTriangle(a, c, d);
}

void Mesh::addFlatPolygon(const std::vector<glm::vec3>& corners, const std::vector<glm::vec2>& uvs)
{
    glm::vec3 normal(0.0f);
    for (std::size_t i = 0; i < corners.size(); ++i) // Newell's method copes with slight non-planarity
        normal += glm::cross(corners[i], corners[(i + 1) % corners.size()]);
    normal = glm::normalize(normal);
    const uint32_t first = static_cast<uint32_t>(vertices_.size());
    for (std::size_t i = 0; i < corners.size(); ++i)
        addVertex(corners[i], normal, i < uvs.size() ? uvs[i] : glm::vec2(0.0f));
    for (uint32_t i = 1; i + 1 < corners.size(); ++i)
        addTriangle(first, first + i, first + i + 1);
}

void Mesh::append(const Mesh& other)
{
    const uint32_t base = static_cast<uint32_t>(vertices_.size());
    vertices_.insert(vertices_.end(), other.vertices_.begin(), other.vertices_.end());
    for (uint32_t index : other.indices_)
        indices_.push_back(base + index);
}

void Mesh::transform(const glm::mat4& m)
{
    const glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(m)));
    for (Vertex& v : vertices_) {
        v.position = glm::vec3(m * glm::vec4(v.position, 1.0f));
        const glm::vec3 n = normalMatrix * v.normal;
        const float length = glm::length(n);
        v.normal = length > 0.0f ? n / length : v.normal;
    }
    if (glm::determinant(glm::mat3(m)) < 0.0f)
        for (std::size_t i = 0; i + 2 < indices_.size(); i += 3)
            std::swap(indices_[i + 1], indices_[i + 2]);
}

void Mesh::mapUv(glm::vec2 offset, glm::vec2 scale)
{
    for (Vertex& v : vertices_)
        v.uv = offset + v.uv * scale;
}

Bounds Mesh::bounds() const
{
    Bounds b;
    for (const Vertex& v : vertices_)
        b.include(v.position);
    return b;
}

Mesh transformed(Mesh mesh, const glm::mat4& m)
{
    mesh.transform(m);
    return mesh;
}

} // namespace assetgen
