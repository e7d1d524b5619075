#include "mesh.hpp"

#include <algorithm>
#include <utility>

namespace assetgen {
namespace {

// Every corner turns the same way around the polygon's (Newell) normal, clearly: no dents and no
// three corners in a line, so any triangulation of it covers the same surface.
bool convex(const std::vector<Vertex>& verts, const std::vector<uint32_t>& corners)
{
    const std::size_t n = corners.size();
    glm::vec3 normal(0.0f);
    for (std::size_t k = 0; k < n; ++k)
        normal += glm::cross(verts[corners[k]].position, verts[corners[(k + 1) % n]].position);
    const float length = glm::length(normal);
    if (length <= 0.0f)
        return false;
    normal /= length;
    constexpr float leastTurn = 1e-4f;  // sine of the smallest bend accepted at a corner
    for (std::size_t k = 0; k < n; ++k) {
        const glm::vec3 a = verts[corners[k]].position, b = verts[corners[(k + 1) % n]].position;
        const glm::vec3 c = verts[corners[(k + 2) % n]].position;
        const glm::vec3 ab = b - a, bc = c - b;
        if (glm::dot(glm::cross(ab, bc), normal) <= leastTurn * glm::length(ab) * glm::length(bc))
            return false;
    }
    return true;
}

// Two lone triangles that form a convex quad fanned from their shared first corner.
std::vector<uint32_t> mergedPair(const std::vector<Vertex>& verts, const uint32_t* t)
{
    std::vector<uint32_t> quad;
    if (t[3] != t[0])
        return quad;
    if (t[4] == t[2] && t[5] != t[1])
        quad = {t[0], t[1], t[2], t[5]};  // (p q r) (p r s)
    else if (t[5] == t[1] && t[4] != t[2])
        quad = {t[0], t[4], t[1], t[2]};  // (p q r) (p s q)
    if (!quad.empty() && !convex(verts, quad))
        quad.clear();
    return quad;
}

} // namespace

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
    faceTriangles_.push_back(1);
}

void Mesh::addQuad(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
{
    addPolygon({a, b, c, d});
}

void Mesh::addPolygon(const std::vector<uint32_t>& corners)
{
    if (corners.size() < 3)
        return;
    for (std::size_t i = 1; i + 1 < corners.size(); ++i)
        indices_.insert(indices_.end(), {corners[0], corners[i], corners[i + 1]});
    faceTriangles_.push_back(uint32_t(corners.size() - 2));
}

void Mesh::addFlatPolygon(const std::vector<glm::vec3>& corners, const std::vector<glm::vec2>& uvs)
{
    glm::vec3 normal(0.0f);
    for (std::size_t i = 0; i < corners.size(); ++i) // Newell's method copes with slight non-planarity
        normal += glm::cross(corners[i], corners[(i + 1) % corners.size()]);
    normal = glm::normalize(normal);
    std::vector<uint32_t> face;
    for (std::size_t i = 0; i < corners.size(); ++i)
        face.push_back(addVertex(corners[i], normal, i < uvs.size() ? uvs[i] : glm::vec2(0.0f)));
    addPolygon(face);
}

void Mesh::append(const Mesh& other)
{
    const uint32_t base = static_cast<uint32_t>(vertices_.size());
    vertices_.insert(vertices_.end(), other.vertices_.begin(), other.vertices_.end());
    for (uint32_t index : other.indices_)
        indices_.push_back(base + index);
    faceTriangles_.insert(faceTriangles_.end(), other.faceTriangles_.begin(), other.faceTriangles_.end());
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
    if (glm::determinant(glm::mat3(m)) >= 0.0f)
        return;
    // Mirrored: each face turns round, its fan taken in reverse so it still starts at the first corner.
    std::size_t at = 0;
    for (uint32_t count : faceTriangles_) {
        for (std::size_t t = 0; t < count; ++t)
            std::swap(indices_[(at + t) * 3 + 1], indices_[(at + t) * 3 + 2]);
        for (std::size_t lo = at, hi = at + count - 1; lo < hi; ++lo, --hi)
            for (int k = 0; k < 3; ++k)
                std::swap(indices_[lo * 3 + k], indices_[hi * 3 + k]);
        at += count;
    }
}

void Mesh::mapUv(glm::vec2 offset, glm::vec2 scale)
{
    for (Vertex& v : vertices_)
        v.uv = offset + v.uv * scale;
}

std::vector<std::vector<uint32_t>> Mesh::polygons() const
{
    std::vector<std::vector<uint32_t>> out;
    std::size_t t = 0;  // first triangle of the face
    for (std::size_t f = 0; f < faceTriangles_.size(); t += faceTriangles_[f], ++f) {
        const uint32_t* tri = &indices_[t * 3];
        if (faceTriangles_[f] == 1) {
            if (f + 1 < faceTriangles_.size() && faceTriangles_[f + 1] == 1) {
                std::vector<uint32_t> quad = mergedPair(vertices_, tri);
                if (!quad.empty()) {
                    out.push_back(std::move(quad));
                    t += 1;
                    ++f;
                    continue;
                }
            }
            out.push_back({tri[0], tri[1], tri[2]});
            continue;
        }
        std::vector<uint32_t> corners{tri[0], tri[1], tri[2]};
        for (uint32_t k = 1; k < faceTriangles_[f]; ++k)
            corners.push_back(tri[k * 3 + 2]);
        if (convex(vertices_, corners)) {
            out.push_back(std::move(corners));
            continue;
        }
        for (uint32_t k = 0; k < faceTriangles_[f]; ++k)
            out.push_back({tri[k * 3], tri[k * 3 + 1], tri[k * 3 + 2]});
    }
    return out;
}

std::size_t Mesh::cornerCount() const
{
    std::size_t n = 0;
    for (const auto& p : polygons())
        n += p.size();
    return n;
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
