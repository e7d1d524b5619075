#include "shapes.hpp"

#include <glm/gtc/constants.hpp>

#include <algorithm>
#include <cmath>

namespace assetgen {
namespace {

constexpr float tinyLength = 1e-7f;

bool isPoleRow(const SurfaceGrid& g, int row)
{
    for (int c = 1; c <= g.columns; ++c)
        if (glm::length(g.at(c, row) - g.at(0, row)) > 1e-6f)
            return false;
    return true;
}

// A pole's normal: the area-weighted normal of the fan of triangles around it, wound as surfaceMesh
// winds them (right for flat caps as for domes).
glm::vec3 poleNormal(const SurfaceGrid& g, int r)
{
    glm::vec3 sum(0.0f);
    for (int c = 0; c < g.columns; ++c) {
        if (r == 0) {
            const glm::vec3 pole = g.at(c, 0);
            sum += glm::cross(g.at(c, 1) - pole, g.at(c + 1, 1) - pole);
        } else {
            const glm::vec3 a = g.at(c, r - 1), b = g.at(c + 1, r - 1);
            sum += glm::cross(g.at(c, r) - a, b - a);
        }
    }
    return glm::length(sum) > tinyLength ? glm::normalize(sum) : glm::vec3(0, 1, 0);
}

// The normal at a lattice point from its neighbours; rows first and last bound the rows taken, so
// the ring beside a flat end (closed by a polygon of its own) follows only the side it belongs to.
glm::vec3 latticeNormal(const SurfaceGrid& g, int c, int r, int first, int last)
{
    if ((r == 0 || r == g.rows) && isPoleRow(g, r))
        return poleNormal(g, r);
    int left = c - 1, right = c + 1;
    if (g.wrapU) {
        left = c == 0 ? g.columns - 1 : left;
        right = c == g.columns ? 1 : right;
    } else {
        left = std::max(left, 0);
        right = std::min(right, g.columns);
    }
    const glm::vec3 du = g.at(right, r) - g.at(left, r);
    const glm::vec3 dv = g.at(c, std::min(r + 1, last)) - g.at(c, std::max(r - 1, first));
    const glm::vec3 n = glm::cross(dv, du);
    return glm::length(n) > tinyLength ? glm::normalize(n) : glm::vec3(0, 1, 0);
}

float coordinate(const std::vector<float>& given, int i, int count)
{
    return given.empty() ? float(i) / float(count) : given[i];
}

bool degenerate(const Mesh& m, uint32_t a, uint32_t b, uint32_t c)
{
    const auto& v = m.vertices();
    return glm::length(glm::cross(v[b].position - v[a].position, v[c].position - v[a].position)) < 1e-9f;
}

// A pole row of a closed lattice whose neighbour ring lies flat around it: a flat end that one
// polygon closes, instead of a fan of thin triangles.
bool flatPole(const SurfaceGrid& g, int r)
{
    if (!g.wrapU || g.rows < 2 || g.columns < 3 || !((r == 0 || r == g.rows) && isPoleRow(g, r)))
        return false;
    const int ring = r == 0 ? 1 : g.rows - 1;
    const glm::vec3 n = poleNormal(g, r), pole = g.at(0, r);
    float size = 0.0f;
    for (int c = 0; c < g.columns; ++c)
        size = std::max(size, glm::length(g.at(c, ring) - pole));
    for (int c = 0; c < g.columns; ++c)
        if (std::abs(glm::dot(g.at(c, ring) - pole, n)) > 1e-4f * size)
            return false;
    return size > 0.0f;
}

// The polygon over the ring next to a flat pole, with the pole's normal and texture coordinates.
void addCap(Mesh& mesh, const SurfaceGrid& g, int r, bool flip)
{
    const int ring = r == 0 ? 1 : g.rows - 1;
    const glm::vec3 n = flip ? -poleNormal(g, r) : poleNormal(g, r);
    std::vector<uint32_t> corners;
    glm::vec3 turn(0.0f);
    for (int c = 0; c < g.columns; ++c) {
        corners.push_back(mesh.addVertex(g.at(c, ring), n, {coordinate(g.us, c, g.columns), coordinate(g.vs, r, g.rows)}));
        turn += glm::cross(g.at(c, ring), g.at((c + 1) % g.columns, ring));
    }
    if (glm::dot(turn, n) < 0.0f)
        std::reverse(corners.begin(), corners.end());
    mesh.addPolygon(corners);
}

} // namespace

glm::vec2 superDirection(float angle, float power)
{
    const float c = std::cos(angle), s = std::sin(angle);
    const float length = std::pow(std::pow(std::abs(c), power) + std::pow(std::abs(s), power), 1.0f / power);
    return glm::vec2(c, s) / length;
}

SurfaceGrid::SurfaceGrid(int columns_, int rows_, bool wrapU_)
    : columns(columns_), rows(rows_), wrapU(wrapU_), points(size_t(columns_ + 1) * size_t(rows_ + 1))
{
}

Mesh surfaceMesh(const SurfaceGrid& g, const std::string& material, bool flip)
{
    Mesh mesh(material);
    const bool capFirst = flatPole(g, 0), capLast = flatPole(g, g.rows);
    const int firstRing = capFirst ? 1 : 0, lastRing = capLast ? g.rows - 1 : g.rows;
    for (int r = 0; r <= g.rows; ++r)
        for (int c = 0; c <= g.columns; ++c) {
            const glm::vec3 n = latticeNormal(g, c, r, firstRing, lastRing);
            mesh.addVertex(g.at(c, r), flip ? -n : n,
                           {coordinate(g.us, c, g.columns), coordinate(g.vs, r, g.rows)});
        }
    const auto index = [&](int c, int r) { return uint32_t(r * (g.columns + 1) + c); };
    for (int r = 0; r < g.rows; ++r) {
        if ((r == 0 && capFirst) || (r + 1 == g.rows && capLast))
            continue;
        for (int c = 0; c < g.columns; ++c) {
            const uint32_t a = index(c, r), b = index(c + 1, r), cc = index(c + 1, r + 1), d = index(c, r + 1);
            const bool first = !degenerate(mesh, a, cc, b), second = !degenerate(mesh, a, d, cc);
            if (first && second)
                flip ? mesh.addQuad(a, b, cc, d) : mesh.addQuad(a, d, cc, b);
            else if (first)
                flip ? mesh.addTriangle(a, b, cc) : mesh.addTriangle(a, cc, b);
            else if (second)
                flip ? mesh.addTriangle(a, cc, d) : mesh.addTriangle(a, d, cc);
        }
    }
    if (capFirst)
        addCap(mesh, g, 0, flip);
    if (capLast)
        addCap(mesh, g, g.rows, flip);
    return mesh;
}

Mesh lathe(const std::vector<glm::vec2>& profile, const std::string& material, const LatheOptions& o)
{
    SurfaceGrid g(o.segments, int(profile.size()) - 1, true);
    std::vector<float> length{0.0f};
    for (std::size_t i = 1; i < profile.size(); ++i)
        length.push_back(length.back() + glm::length(profile[i] - profile[i - 1]));
    for (float& l : length)
        l /= std::max(length.back(), tinyLength);
    g.vs = o.vs.empty() ? length : o.vs;
    for (int c = 0; c <= o.segments; ++c) {
        const float angle = glm::two_pi<float>() * float(c % o.segments) / float(o.segments);
        const glm::vec2 d = superDirection(angle, o.roundness) * o.stretch;
        g.us.push_back(o.uTurns * float(c) / float(o.segments));
        for (int r = 0; r < int(profile.size()); ++r)
            g.at(c, r) = glm::vec3(profile[r].x * d.x, profile[r].y, profile[r].x * d.y);
    }
    return surfaceMesh(g, material);
}

Mesh tube(const std::vector<glm::vec3>& path, const std::vector<float>& radii, const std::string& material,
          int sides, float vPerUnit, TubeEnd ends)
{
    const int n = int(path.size());
    std::vector<glm::vec3> tangents(n);
    for (int i = 0; i < n; ++i)
        tangents[i] = glm::normalize(path[std::min(i + 1, n - 1)] - path[std::max(i - 1, 0)]);
    glm::vec3 normal = glm::cross(tangents[0], glm::vec3(0, 1, 0));
    if (glm::length(normal) < 1e-3f)
        normal = glm::cross(tangents[0], glm::vec3(1, 0, 0));
    normal = glm::normalize(normal);

    struct Ring {
        glm::vec3 centre, normal, binormal;
        float radius, along;
    };
    std::vector<Ring> rings;
    float along = 0.0f;
    for (int i = 0; i < n; ++i) {
        normal = glm::normalize(normal - glm::dot(normal, tangents[i]) * tangents[i]);
        if (i > 0)
            along += glm::length(path[i] - path[i - 1]);
        rings.push_back({path[i], normal, glm::cross(tangents[i], normal), radii[i], along});
    }
    const Ring first = rings.front(), last = rings.back();
    const auto endRing = [&](const Ring& r, glm::vec3 tangent, float reach, float shrink) {
        return Ring{r.centre + tangent * r.radius * reach, r.normal, r.binormal, r.radius * shrink, r.along + r.radius * reach};
    };
    if (ends == TubeEnd::Round) {  // a shoulder ring and the tip: enough for a rounded end seen small
        rings.insert(rings.begin(), endRing(first, -tangents.front(), 0.7f, 0.7f));
        rings.insert(rings.begin(), endRing(first, -tangents.front(), 1.0f, 0.0f));
        rings.push_back(endRing(last, tangents.back(), 0.7f, 0.7f));
        rings.push_back(endRing(last, tangents.back(), 1.0f, 0.0f));
    } else if (ends == TubeEnd::Flat) {  // a pole in the end ring's plane: closed by one polygon
        rings.insert(rings.begin(), endRing(first, -tangents.front(), 0.0f, 0.0f));
        rings.push_back(endRing(last, tangents.back(), 0.0f, 0.0f));
    }
    SurfaceGrid g(sides, int(rings.size()) - 1, true);
    for (int c = 0; c <= sides; ++c)
        g.us.push_back(float(c) / float(sides));
    for (int r = 0; r < int(rings.size()); ++r) {
        const Ring& ring = rings[r];
        g.vs.push_back(ring.along * vPerUnit);
        for (int c = 0; c <= sides; ++c) {
            const float a = glm::two_pi<float>() * float(c % sides) / float(sides);
            g.at(c, r) = ring.centre + ring.radius * (std::cos(a) * ring.normal - std::sin(a) * ring.binormal);
        }
    }
    return surfaceMesh(g, material);
}

Mesh smoothTube(const std::vector<glm::vec3>& controls, const std::vector<float>& radii, const std::string& material,
                int sides, int steps, float vPerUnit, TubeEnd ends)
{
    std::vector<glm::vec3> radiusControls;
    for (float r : radii)
        radiusControls.push_back({r, 0.0f, 0.0f});
    std::vector<float> smoothRadii;
    for (const glm::vec3& r : smoothPath(radiusControls, steps))
        smoothRadii.push_back(std::max(r.x, 0.0f));
    return tube(smoothPath(controls, steps), smoothRadii, material, sides, vPerUnit, ends);
}

Mesh ellipsoid(glm::vec3 centre, glm::vec3 radii, const std::string& material, int segments, int rings)
{
    std::vector<glm::vec2> profile;
    for (int r = 0; r <= rings; ++r) {
        const float a = glm::pi<float>() * float(r) / float(rings);
        profile.push_back({std::sin(a), -std::cos(a)});
    }
    profile.front().x = profile.back().x = 0.0f;  // exact poles: sin(pi) is not quite 0 in floats
    LatheOptions options;
    options.segments = segments;
    Mesh mesh = lathe(profile, material, options);
    glm::mat4 m(1.0f);
    m[0][0] = radii.x;
    m[1][1] = radii.y;
    m[2][2] = radii.z;
    m[3] = glm::vec4(centre, 1.0f);
    mesh.transform(m);
    return mesh;
}

Mesh box(glm::vec3 lo, glm::vec3 hi, const std::string& material, float uvPerUnit, float softness, glm::ivec3 segments)
{
    Mesh mesh(material);
    const glm::vec3 centre = (lo + hi) * 0.5f, half = (hi - lo) * 0.5f;
    for (int axis = 0; axis < 3; ++axis)
        for (int side = 0; side < 2; ++side) {
            const int b = (axis + 1) % 3, c = (axis + 2) % 3, nb = segments[b], nc = segments[c];
            glm::vec3 face(0.0f);
            face[axis] = side ? 1.0f : -1.0f;
            const uint32_t first = uint32_t(mesh.vertices().size());
            for (int j = 0; j <= nc; ++j)
                for (int i = 0; i <= nb; ++i) {
                    glm::vec3 d = face, edge = face;
                    d[b] = -1.0f + 2.0f * float(i) / float(nb);
                    d[c] = -1.0f + 2.0f * float(j) / float(nc);
                    edge[b] = std::trunc(d[b]);  // +-1 on the face's border, 0 inside
                    edge[c] = std::trunc(d[c]);
                    const glm::vec3 n = glm::normalize(glm::mix(face, glm::normalize(edge), softness));
                    mesh.addVertex(centre + d * half, n, {0.0f, 0.0f});
                }
            for (int j = 0; j < nc; ++j)
                for (int i = 0; i < nb; ++i) {
                    const uint32_t p = first + uint32_t(j * (nb + 1) + i), row = uint32_t(nb + 1);
                    // b x c points along +axis, so this order faces out on the high side.
                    if (side)
                        mesh.addQuad(p, p + 1, p + row + 1, p + row);
                    else
                        mesh.addQuad(p, p + row, p + row + 1, p + 1);
                }
        }
    projectUv(mesh, uvPerUnit);
    return mesh;
}

void warp(Mesh& mesh, const std::function<glm::vec3(glm::vec3)>& f)
{
    constexpr float h = 1e-3f;
    for (Vertex& v : mesh.vertices()) {
        const glm::vec3 p = v.position;
        glm::mat3 jacobian;
        for (int axis = 0; axis < 3; ++axis) {
            glm::vec3 d(0.0f);
            d[axis] = h;
            jacobian[axis] = (f(p + d) - f(p - d)) / (2.0f * h);
        }
        const glm::vec3 n = glm::transpose(glm::inverse(jacobian)) * v.normal;
        v.position = f(p);
        if (glm::length(n) > tinyLength)
            v.normal = glm::normalize(n);
    }
}

void confine(Mesh& mesh, const Bounds& box, float margin)
{
    const auto ease = [margin](float x, float lo, float hi) {
        if (x > hi - margin)
            return hi - margin + margin * std::tanh((x - (hi - margin)) / margin);
        if (x < lo + margin)
            return lo + margin - margin * std::tanh((lo + margin - x) / margin);
        return x;
    };
    warp(mesh, [&](glm::vec3 p) {
        return glm::vec3(ease(p.x, box.min.x, box.max.x), ease(p.y, box.min.y, box.max.y), ease(p.z, box.min.z, box.max.z));
    });
}

void projectUv(Mesh& mesh, float uvPerUnit)
{
    for (Vertex& v : mesh.vertices()) {
        const glm::vec3 n = glm::abs(v.normal), p = v.position * uvPerUnit;
        if (n.y >= n.x && n.y >= n.z)
            v.uv = {p.x, p.z};
        else if (n.x >= n.z)
            v.uv = {v.normal.x > 0.0f ? -p.z : p.z, p.y};
        else
            v.uv = {v.normal.z > 0.0f ? p.x : -p.x, p.y};
    }
}

Mesh facetedRings(const std::vector<std::vector<glm::vec3>>& rings, const std::string& material, float uvPerUnit)
{
    Mesh mesh(material);
    const auto uv = [&](glm::vec3 p) { return glm::vec2(p.x, p.z) * uvPerUnit; };
    const auto face = [&](std::vector<glm::vec3> corners) {
        std::vector<glm::vec2> uvs;
        for (const glm::vec3& c : corners)
            uvs.push_back(uv(c));
        mesh.addFlatPolygon(corners, uvs);
    };
    if (rings.front().size() > 2) {  // flat bottom, seen from below: reverse order
        std::vector<glm::vec3> bottom(rings.front().rbegin(), rings.front().rend());
        face(bottom);
    }
    for (std::size_t r = 0; r + 1 < rings.size(); ++r) {
        const auto& lo = rings[r];
        const auto& hi = rings[r + 1];
        if (lo.size() == 1 || hi.size() == 1) {  // fan to a tip
            const auto& ring = lo.size() == 1 ? hi : lo;
            for (std::size_t i = 0; i < ring.size(); ++i) {
                const glm::vec3 a = ring[i], b = ring[(i + 1) % ring.size()];
                if (lo.size() == 1)
                    face({lo[0], b, a});
                else
                    face({a, b, hi[0]});
            }
        } else if (lo.size() == hi.size()) {
            for (std::size_t i = 0; i < lo.size(); ++i) {
                const std::size_t j = (i + 1) % lo.size();
                face({lo[i], lo[j], hi[j], hi[i]});
            }
        } else {  // one ring has twice the points of the other: triangles both ways
            const bool loDense = lo.size() > hi.size();
            const auto& dense = loDense ? lo : hi;
            const auto& sparse = loDense ? hi : lo;
            for (std::size_t i = 0; i < sparse.size(); ++i) {
                const glm::vec3 s0 = sparse[i], s1 = sparse[(i + 1) % sparse.size()];
                const glm::vec3 d0 = dense[2 * i], d1 = dense[2 * i + 1], d2 = dense[(2 * i + 2) % dense.size()];
                if (loDense) {
                    face({d0, d1, s0});
                    face({d1, d2, s1});
                    face({d1, s1, s0});
                } else {
                    face({s0, d1, d0});
                    face({s1, d2, d1});
                    face({s0, s1, d1});
                }
            }
        }
    }
    if (rings.back().size() > 2)
        face(rings.back());
    return mesh;
}

std::vector<glm::vec3> smoothPath(const std::vector<glm::vec3>& c, int steps)
{
    std::vector<glm::vec3> out;
    const int n = int(c.size());
    for (int i = 0; i + 1 < n; ++i) {
        const glm::vec3 p0 = c[std::max(i - 1, 0)], p1 = c[i], p2 = c[i + 1], p3 = c[std::min(i + 2, n - 1)];
        for (int s = 0; s < steps; ++s) {
            const float t = float(s) / float(steps), t2 = t * t, t3 = t2 * t;
            out.push_back(0.5f * (2.0f * p1 + (p2 - p0) * t + (2.0f * p0 - 5.0f * p1 + 4.0f * p2 - p3) * t2 +
                                  (3.0f * p1 - p0 - 3.0f * p2 + p3) * t3));
        }
    }
    out.push_back(c.back());
    return out;
}

} // namespace assetgen
