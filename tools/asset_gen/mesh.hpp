#pragma once
// Polygon faces with positions, normals and texture coordinates, all drawn with one material.

#include <glm/glm.hpp>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace assetgen {

struct Vertex {
    glm::vec3 position{0.0f};
    glm::vec3 normal{0.0f, 1.0f, 0.0f};
    glm::vec2 uv{0.0f};
};

// Axis-aligned box that grows to include points; empty until the first point.
struct Bounds {
    glm::vec3 min{std::numeric_limits<float>::max()};
    glm::vec3 max{std::numeric_limits<float>::lowest()};

    void include(glm::vec3 p);
    void include(const Bounds& other);
    bool empty() const { return min.x > max.x; }
    glm::vec3 size() const { return max - min; }
    glm::vec3 centre() const { return (min + max) * 0.5f; }
};

class Mesh {
public:
    explicit Mesh(std::string material = {});

    const std::string& material() const { return material_; }
    void setMaterial(std::string material) { material_ = std::move(material); }

    uint32_t addVertex(const Vertex& v);
    uint32_t addVertex(glm::vec3 position, glm::vec3 normal, glm::vec2 uv);
    // Corners counter-clockwise seen from the side the face shows. Each call adds one face; the
    // triangle list fans every face from its first corner.
    void addTriangle(uint32_t a, uint32_t b, uint32_t c);
    void addQuad(uint32_t a, uint32_t b, uint32_t c, uint32_t d);
    void addPolygon(const std::vector<uint32_t>& corners);
    // A flat polygon (convex, counter-clockwise) with its own vertices and the face normal.
    void addFlatPolygon(const std::vector<glm::vec3>& corners, const std::vector<glm::vec2>& uvs);

    void append(const Mesh& other);
    // Positions by m, normals by its inverse transpose; a mirroring m keeps the faces outward.
    void transform(const glm::mat4& m);
    // Maps texture coordinates into a sub-rectangle: uv' = offset + uv * scale.
    void mapUv(glm::vec2 offset, glm::vec2 scale);

    Bounds bounds() const;
    const std::vector<Vertex>& vertices() const { return vertices_; }
    std::vector<Vertex>& vertices() { return vertices_; }
    const std::vector<uint32_t>& indices() const { return indices_; }
    std::size_t triangleCount() const { return indices_.size() / 3; }
    // The faces as files should store them, corners counter-clockwise. A face whose corners are not
    // convex around its normal comes apart into its triangles; two lone triangles that make a convex
    // quad fanned from a shared corner come back as that quad. An importer that triangulates gets
    // the same surface, and every corner costs it a vertex: fewer, bigger faces draw faster.
    std::vector<std::vector<uint32_t>> polygons() const;
    // Corners of polygons(): the vertices the game's importer makes of this mesh.
    std::size_t cornerCount() const;

private:
    std::string material_;
    std::vector<Vertex> vertices_;
    std::vector<uint32_t> indices_;
    std::vector<uint32_t> faceTriangles_;  // triangles per face, in order
};

// A copy of the mesh moved by m.
Mesh transformed(Mesh mesh, const glm::mat4& m);

} // namespace assetgen
