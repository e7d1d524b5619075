// The ground: the 15 x 15 cell field in mown grass, a meadow around it and a ring of hills far out
// that fills the view up to just under the horizon, so the sky shows above them. Big flat faces:
// the field's cells and the meadow's flowers are painted. Authored in world units and stored in
// the ground's own frame.
#include "nature_textures.hpp"
#include "noise.hpp"
#include "scene_models.hpp"

#include <glm/gtc/constants.hpp>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace assetgen {
namespace {

// The game draws the ground with scale (33, 1, 32) then translate (-1.4, 0, -0.34) then
// translate (22, 0, 22): model (x, y, z) lands on world (33 (x + 20.6), y, 32 (z + 21.66)).
constexpr glm::vec3 groundScale{33.0f, 1.0f, 32.0f};
constexpr glm::vec3 groundShift{20.6f, 0.0f, 21.66f};

constexpr float fieldLow = -50.0f, fieldHigh = 1450.0f;  // world x and z of the field's outer edges
constexpr float cellsPerRepeat = 2.0f;                   // of the field texture, 100 world units each
constexpr glm::vec2 centre{700.0f, 700.0f};
constexpr float swellFrom = 3500.0f;     // flat out to here (field, spawn rim, trees), then the land rolls
constexpr float flatRadius = 4300.0f;    // the hills start rising here
constexpr float hillRadius = 10500.0f;   // the hills are highest around here
constexpr float hillHeight = 1250.0f;    // below the player's camera (1500): a skyline under the sky
constexpr float meadowTile = 400.0f;     // world units per repeat of the meadow texture
constexpr float hillTile = 3000.0f;      // and of the hills' texture: broad woods and meadows
constexpr int sectors = 40;              // around the centre; a multiple of 8 keeps the field's corners

float groundHeight(float x, float z)
{
    const float r = glm::length(glm::vec2(x, z) - centre);
    const float angle = std::atan2(z - centre.y, x - centre.x);
    const float rise = smoothstep(flatRadius, hillRadius, r);
    const float ridges = 0.55f + 0.45f * valueNoise(glm::vec2(angle * 2.5f, r / 2500.0f), 16, 501);
    const float swell = 120.0f * smoothstep(swellFrom, flatRadius + 2500.0f, r) *
                        (valueNoise(glm::vec2(x, z) / 1800.0f, 64, 502) - 0.3f);
    return hillHeight * rise * ridges + std::max(swell, 0.0f);
}

uint32_t groundVertex(Mesh& mesh, glm::vec2 at, float uvPerUnit)
{
    const glm::vec3 p(at.x, groundHeight(at.x, at.y), at.y);
    constexpr float h = 20.0f;
    const glm::vec3 dx(2.0f * h, groundHeight(at.x + h, at.y) - groundHeight(at.x - h, at.y), 0.0f);
    const glm::vec3 dz(0.0f, groundHeight(at.x, at.y + h) - groundHeight(at.x, at.y - h), 2.0f * h);
    return mesh.addVertex(p, glm::normalize(glm::cross(dz, dx)), at * uvPerUnit);
}

float sectorAngle(int i) { return glm::two_pi<float>() * float(i % sectors) / float(sectors); }

glm::vec2 around(int sector, float radius)
{
    const float a = sectorAngle(sector);
    return centre + radius * glm::vec2(std::cos(a), std::sin(a));
}

// Where the ray from the centre through the sector's edge leaves the field square.
glm::vec2 fieldEdge(int sector)
{
    const float a = sectorAngle(sector);
    const glm::vec2 d(std::cos(a), std::sin(a));
    return centre + d * ((fieldHigh - fieldLow) * 0.5f / std::max(std::abs(d.x), std::abs(d.y)));
}

// The field: one square, its cells painted (one texture repeat per two cells).
Mesh field()
{
    Mesh m("field_grass");
    std::vector<uint32_t> corners;
    for (glm::vec2 k : {glm::vec2(0, 0), glm::vec2(0, 1), glm::vec2(1, 1), glm::vec2(1, 0)}) {  // counter-clockwise from above
        const glm::vec2 w = glm::vec2(fieldLow) + k * (fieldHigh - fieldLow);
        corners.push_back(m.addVertex({w.x, 0.0f, w.y}, {0, 1, 0}, (w - fieldLow) / (cellsPerRepeat * 100.0f)));
    }
    m.addPolygon(corners);
    return m;
}

// The flat meadow between the field's square and the circle where the land starts to roll: one
// flat quad per sector.
Mesh meadow()
{
    Mesh m("meadow");
    for (int i = 0; i < sectors; ++i) {
        const uint32_t in0 = groundVertex(m, fieldEdge(i), 1.0f / meadowTile);
        const uint32_t in1 = groundVertex(m, fieldEdge(i + 1), 1.0f / meadowTile);
        const uint32_t out1 = groundVertex(m, around(i + 1, swellFrom), 1.0f / meadowTile);
        const uint32_t out0 = groundVertex(m, around(i, swellFrom), 1.0f / meadowTile);
        m.addQuad(in0, in1, out1, out0);  // counter-clockwise from above
    }
    return m;
}

// The rolling land and the ring of hills: rings of sectors out to beyond the far plane.
Mesh hills()
{
    const float radii[] = {swellFrom, 4600.0f, 5900.0f, 7400.0f, 9000.0f, 10500.0f, 12800.0f, 15500.0f};
    constexpr int rings = int(std::size(radii));
    Mesh m("hills");
    std::vector<uint32_t> index;
    for (float r : radii)
        for (int i = 0; i < sectors; ++i)
            index.push_back(groundVertex(m, around(i, r), 1.0f / hillTile));
    for (int k = 0; k + 1 < rings; ++k)
        for (int i = 0; i < sectors; ++i) {
            const int j = (i + 1) % sectors;
            m.addQuad(index[k * sectors + i], index[k * sectors + j], index[(k + 1) * sectors + j], index[(k + 1) * sectors + i]);
        }
    return m;
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
    model.add(meadow());
    model.add(hills());
    glm::mat4 toGround(1.0f);
    toGround[0][0] = 1.0f / groundScale.x;
    toGround[2][2] = 1.0f / groundScale.z;
    toGround[3] = glm::vec4(-groundShift, 1.0f);
    model.transform(toGround);
    return model;
}

} // namespace assetgen
