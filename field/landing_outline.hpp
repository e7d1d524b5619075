#pragma once
// The outer surface and the creases of a group of cells, in world units: what the landing marker
// draws, so that a stone reads as one body and not as a stack of boxes.

#include <glm/glm.hpp>

#include <vector>

struct OutlineVertex {
    glm::vec3 position; // world units
    float shade;        // light of the face it belongs to, 1 on top
};

class LandingOutline {
public:
    // World units the surface keeps inside the cells' outer faces, so that it neither flickers with
    // the ground nor with the faces of stones beside it.
    static constexpr float inset = 3.0f;

    // Rebuilds both lists for the cells (x, z, level); a cell given twice counts once. Reuses the
    // lists' storage.
    void build(const std::vector<glm::ivec3>& cells);

    // Two triangles for every cell face that no other cell of the group covers.
    const std::vector<OutlineVertex>& faces() const { return faces_; }
    // Two points for every cell edge where the surface bends (every edge of a lone cell, none between
    // two cells side by side), each edge once.
    const std::vector<OutlineVertex>& edges() const { return edges_; }

private:
    struct Box {
        glm::vec3 low;
        glm::vec3 high;
    };

    bool filled(const glm::ivec3& spot) const; // spot in world axis order (x, level, z)
    Box boxOf(const glm::ivec3& spot) const;
    void addFaces(const glm::ivec3& spot, const Box& box);
    void addEdges(const glm::ivec3& spot, const Box& box);

    std::vector<glm::ivec3> spots_; // the cells in world axis order
    std::vector<OutlineVertex> faces_;
    std::vector<OutlineVertex> edges_;
};
