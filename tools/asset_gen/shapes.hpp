#pragma once
// Building blocks for the models: lattice surfaces, turned profiles, boxes, tubes, ellipsoids.

#include "mesh.hpp"

#include <functional>

namespace assetgen {

// A (columns + 1) x (rows + 1) lattice of points; u runs along the columns, v along the rows.
struct SurfaceGrid {
    int columns = 0;
    int rows = 0;
    bool wrapU = false;             // the last column repeats the first: the surface closes around
    std::vector<glm::vec3> points;  // points[row * (columns + 1) + column]
    std::vector<float> us, vs;      // texture coordinate per column / per row; uniform 0..1 when empty

    SurfaceGrid(int columns, int rows, bool wrapU);
    glm::vec3& at(int column, int row) { return points[row * (columns + 1) + column]; }
    const glm::vec3& at(int column, int row) const { return points[row * (columns + 1) + column]; }
};

// Quads of the lattice. The front side is the one cross(dP/dv, dP/du) points to (flip turns it
// round); normals come from neighbouring lattice points, poles look away from their neighbour ring.
// A pole whose neighbour ring lies flat around it (a flat end) is closed by one polygon instead.
Mesh surfaceMesh(const SurfaceGrid& grid, const std::string& material, bool flip = false);

struct LatheOptions {
    int segments = 24;
    float roundness = 2.0f;   // superellipse power of the cross-section: 2 round, 4 and up squarish
    glm::vec2 stretch{1.0f};  // cross-section scale along x and z
    float uTurns = 1.0f;      // texture repeats around
    std::vector<float> vs;    // texture v per profile point; arc length 0..1 when empty
};

// Profile points (radius, height) turned about the y axis; listed bottom to top the surface faces
// outward. v follows the profile's arc length from 0 to 1.
Mesh lathe(const std::vector<glm::vec2>& profile, const std::string& material, const LatheOptions& options = {});

// How a tube ends: left open (hidden inside something), closed flat, or rounded off.
enum class TubeEnd { Open, Flat, Round };

// Round tube through the path points with one radius each. u runs around, v along the tube
// (vPerUnit repeats per unit of length).
Mesh tube(const std::vector<glm::vec3>& path, const std::vector<float>& radii, const std::string& material,
          int sides = 8, float vPerUnit = 1.0f, TubeEnd ends = TubeEnd::Round);

// A tube along a smooth curve through control points, its radius eased between the control radii.
Mesh smoothTube(const std::vector<glm::vec3>& controls, const std::vector<float>& radii, const std::string& material,
                int sides, int steps, float vPerUnit = 1.0f, TubeEnd ends = TubeEnd::Round);

Mesh ellipsoid(glm::vec3 centre, glm::vec3 radii, const std::string& material, int segments = 16, int rings = 10);

// Plain box, each face one quad or a lattice of segments along x, y and z (where it will be bent),
// texture projected per face (projectUv). softness (0..1) bends the normals along the edges toward
// the neighbouring faces, so the edges catch light like small bevels at no extra cost.
Mesh box(glm::vec3 lo, glm::vec3 hi, const std::string& material, float uvPerUnit = 1.0f, float softness = 0.0f,
         glm::ivec3 segments = glm::ivec3(1));

// Moves every vertex through f and turns the normals with f's local derivative.
void warp(Mesh& mesh, const std::function<glm::vec3(glm::vec3)>& f);

// Keeps every vertex inside the box: coordinates within margin of a face are eased toward it so that
// nothing crosses it (for organic parts that must stay inside their cells).
void confine(Mesh& mesh, const Bounds& box, float margin);

// Texture coordinates from the position, projected along the normal's main axis: vertical faces get
// v up the y axis (so grain and stripes run level), top and bottom faces get (x, z).
void projectUv(Mesh& mesh, float uvPerUnit);

// Faceted solid through rings of points, bottom to top, each ring counter-clockwise seen from
// above; one-point rings are tips. Every face is flat shaded; texture planar from above.
Mesh facetedRings(const std::vector<std::vector<glm::vec3>>& rings, const std::string& material, float uvPerUnit);

// Points of a smooth curve through the control points (Catmull-Rom), steps points per span.
std::vector<glm::vec3> smoothPath(const std::vector<glm::vec3>& controls, int steps);

} // namespace assetgen

namespace assetgen {
// Unit direction of a superellipse of the given power at the angle (radians) in the x-z plane.
glm::vec2 superDirection(float angle, float power);
} // namespace assetgen
