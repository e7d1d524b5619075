// The ground: the 15 x 15 cell field in mown grass, a meadow around it and a ring of hills far out
// that fills the view up to just under the horizon, so the sky shows above them. Authored in world units and stored in the ground's own frame.
#include "nature_textures.hpp"
#include "noise.hpp"
#include "scene_models.hpp"
#include "shapes.hpp"

#include <glm/gtc/constants.hpp>

#include <algorithm>
#include <cmath>

namespace assetgen {
namespace {

// The game draws the ground with scale (33, 1, 32) then translate (-1.4, 0, -0.34) then
// translate (22, 0, 22): model (x, y, z) lands on world (33 (x + 20.6), y, 32 (z + 21.66)).
constexpr glm::vec3 groundScale{33.0f, 1.0f, 32.0f};
constexpr glm::vec3 groundShift{20.6f, 0.0f, 21.66f};

constexpr float fieldLow = -50.0f, fieldHigh = 1450.0f;  // world x and z of the field's outer edges
constexpr int fieldCells = 15;
constexpr glm::vec2 centre{700.0f, 700.0f};
constexpr float flatRadius = 4300.0f;    // flat out to here (field, spawn rim, trees)
constexpr float hillRadius = 10500.0f;   // the hills are highest around here
constexpr float hillHeight = 1250.0f;    // below the player's camera (1500): a skyline under the sky
constexpr float meadowTile = 400.0f;     // world units per repeat of the meadow texture

float groundHeight(float x, float z)
{
    const float r = glm::length(glm::vec2(x, z) - centre);
    const float angle = std::atan2(z - centre.y, x - centre.x);
    const float rise = smoothstep(flatRadius, hillRadius, r);
    const float ridges = 0.55f + 0.45f * valueNoise(glm::vec2(angle * 2.5f, r / 2500.0f), 16, 501);
    const float swell = 120.0f * smoothstep(flatRadius - 800.0f, flatRadius + 2500.0f, r) *
                        (valueNoise(glm::vec2(x, z) / 1800.0f, 64, 502) - 0.3f);
    return hillHeight * rise * ridges + std::max(swell, 0.0f);
}

// Breakpoints along one axis: the field edges exactly, finer near the play area, coarse far out.
std::vector<float> breakpoints()
{
    std::vector<float> b;
    for (float d = -15000.0f; d < -3000.0f; d += 1000.0f)
        b.push_back(700.0f + d);
    for (float x = -2300.0f; x < fieldLow; x += 250.0f)
        b.push_back(x);
    b.push_back(fieldLow);
    b.push_back(fieldHigh);
    for (float x = fieldHigh + 250.0f; x <= 3700.0f; x += 250.0f)
        b.push_back(x);
    for (float d = 4000.0f; d <= 15000.0f; d += 1000.0f)
        b.push_back(700.0f + d);
    return b;
}

Mesh field()
{
    constexpr int n = fieldCells;  // one lattice square per cell
    SurfaceGrid g(n, n, false);
    for (int i = 0; i <= n; ++i) {
        const float w = fieldLow + (fieldHigh - fieldLow) * float(i) / float(n);
        g.us.push_back((w - fieldLow) / 200.0f);  // two cells per texture repeat
        g.vs.push_back((w - fieldLow) / 200.0f);
    }
    for (int r = 0; r <= n; ++r)
        for (int c = 0; c <= n; ++c)
            g.at(c, r) = glm::vec3(g.us[c] * 200.0f + fieldLow, 0.0f, g.vs[r] * 200.0f + fieldLow);
    return surfaceMesh(g, "field_grass");
}

// Everything around the field: one lattice with the field's squares left out.
Mesh surroundings(const std::string& material, bool hills)
{
    const std::vector<float> b = breakpoints();
    const int n = int(b.size()) - 1;
    Mesh mesh(material);
    std::vector<uint32_t> index(b.size() * b.size());
    for (int r = 0; r <= n; ++r)
        for (int c = 0; c <= n; ++c) {
            const glm::vec3 p(b[c], groundHeight(b[c], b[r]), b[r]);
            constexpr float h = 20.0f;
            const glm::vec3 dx(2.0f * h, groundHeight(b[c] + h, b[r]) - groundHeight(b[c] - h, b[r]), 0.0f);
            const glm::vec3 dz(0.0f, groundHeight(b[c], b[r] + h) - groundHeight(b[c], b[r] - h), 2.0f * h);
            index[r * (n + 1) + c] = mesh.addVertex(p, glm::normalize(glm::cross(dz, dx)), glm::vec2(p.x, p.z) / meadowTile);
        }
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const bool insideField = b[c] >= fieldLow && b[c + 1] <= fieldHigh && b[r] >= fieldLow && b[r + 1] <= fieldHigh;
            const float far = std::max(glm::length(glm::vec2(b[c], b[r]) - centre),
                                       glm::length(glm::vec2(b[c + 1], b[r + 1]) - centre));
            if (insideField || (far > flatRadius) != hills)
                continue;
            const uint32_t a = index[r * (n + 1) + c], bb = index[r * (n + 1) + c + 1];
            const uint32_t cc = index[(r + 1) * (n + 1) + c + 1], d = index[(r + 1) * (n + 1) + c];
            mesh.addQuad(a, d, cc, bb);
        }
    return mesh;
}

} // namespace

AssetModel makeGround()
{
    AssetModel model("field2");
    model.setPrecision(3, 2);  // 0.03 world units across, normals of the gentle ground need little
    model.addMaterial(fieldTexture());
    model.addMaterial(meadowTexture());
    model.addMaterial(hillTexture());
    model.add(field());
    model.add(surroundings("meadow", false));
    Mesh hills = surroundings("hills", true);
    for (Vertex& v : hills.vertices())  // one texture repeat per 3000 units: broad woods and meadows
        v.uv *= meadowTile / 3000.0f;
    model.add(hills);
    glm::mat4 toGround(1.0f);
    toGround[0][0] = 1.0f / groundScale.x;
    toGround[2][2] = 1.0f / groundScale.z;
    toGround[3] = glm::vec4(-groundShift, 1.0f);
    model.transform(toGround);
    return model;
}

} // namespace assetgen
