// Trees: a ring of firs and leafy trees around the play area, outside the creatures' spawn rim.
#include "nature_textures.hpp"
#include "noise.hpp"
#include "scene_models.hpp"
#include "shapes.hpp"

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

namespace assetgen {
namespace {

// The game draws the ring with uniform scale 30 and its origin at world (700, -1, 680).
constexpr float treeScale = 30.0f;
constexpr glm::vec3 treeOrigin{700.0f, -1.0f, 680.0f};

// Trees stand in the band between the spawn square (0..2100) grown by the inner margin and by the
// outer margin; on the player's side the band starts further out so no tree stands in front of the
// field (the camera is at z -550).
constexpr float spawnLow = 0.0f, spawnHigh = 2100.0f;
constexpr float innerMargin = 320.0f, outerMargin = 1300.0f;
constexpr float cameraSideClear = 650.0f;  // world z below -this on the camera's side: behind the camera
constexpr float spacing = 400.0f;          // least distance between two trees

LatheOptions around(int segments, float uTurns = 1.0f)
{
    LatheOptions o;
    o.segments = segments;
    o.uTurns = uTurns;
    return o;
}

// A tapering trunk, open at both ends: its foot is in the ground, its top in the crown.
Mesh trunk(float height, float radius)
{
    return lathe({{radius * 1.3f, -0.3f}, {radius * 0.55f, height}}, "tree_bark", around(5, 1.0f));
}

// A fir: a slim trunk and stacked cones, open underneath (the camera looks down on them).
void fir(Mesh& bark, Mesh& needles, float height, Random& random)
{
    bark.append(trunk(height * 0.45f, height * 0.045f));
    constexpr int tiers = 3;
    float base = height * 0.22f, width = height * 0.3f;
    for (int t = 0; t < tiers; ++t) {
        const float top = t + 1 == tiers ? height : base + height * 0.38f;
        const float skirt = width * random.range(0.95f, 1.1f);
        needles.append(lathe({{skirt, base}, {0.0f, top}}, "tree_needles", around(6, 2.0f)));
        base += (top - base) * 0.55f;
        width *= 0.72f;
    }
}

// A leafy tree: trunk with one lumpy crown.
void broadleaf(Mesh& bark, Mesh& leaves, float height, Random& random)
{
    bark.append(trunk(height * 0.55f, height * 0.05f));
    const float crown = height * 0.36f;
    const glm::vec3 centre(0.0f, height - crown * 0.95f, 0.0f);
    Mesh blob = ellipsoid(centre, {crown, crown * 0.9f, crown}, "tree_leaves", 7, 4);
    const uint32_t seed = uint32_t(random.below(1000));
    warp(blob, [&](glm::vec3 p) {
        const glm::vec3 d = p - centre;
        return centre + d * (0.82f + 0.36f * valueNoise3(p * (2.0f / crown), seed));
    });
    leaves.append(blob);
}

// One tree of either kind at the origin, height in model units.
void addTree(AssetModel& model, glm::vec3 at, float height, bool conifer, float turn, Random& random)
{
    Mesh bark("tree_bark"), crown(conifer ? "tree_needles" : "tree_leaves");
    if (conifer)
        fir(bark, crown, height, random);
    else
        broadleaf(bark, crown, height, random);
    const glm::mat4 m = glm::rotate(glm::translate(glm::mat4(1.0f), at), turn, glm::vec3(0, 1, 0));
    model.add(transformed(bark, m));
    model.add(transformed(crown, m));
}

bool inBand(glm::vec2 p)
{
    const float lo = spawnLow - innerMargin, hi = spawnHigh + innerMargin;
    const bool insideInner = p.x > lo && p.x < hi && p.y > -cameraSideClear && p.y < hi;
    const bool insideOuter = p.x > spawnLow - outerMargin && p.x < spawnHigh + outerMargin &&
                             p.y > spawnLow - outerMargin && p.y < spawnHigh + outerMargin;
    return insideOuter && !insideInner;
}

// Tree spots by dart throwing: random points in the band, none closer than the spacing.
std::vector<glm::vec2> treeSpots()
{
    Random random(9090);
    std::vector<glm::vec2> spots;
    for (int attempt = 0; attempt < 4000; ++attempt) {
        const glm::vec2 p(random.range(spawnLow - outerMargin, spawnHigh + outerMargin),
                          random.range(spawnLow - outerMargin, spawnHigh + outerMargin));
        if (!inBand(p))
            continue;
        bool free = true;
        for (const glm::vec2& q : spots)
            free = free && glm::length(p - q) >= spacing;
        if (free)
            spots.push_back(p);
    }
    return spots;
}

void addTreeMaterials(AssetModel& model)
{
    model.addMaterial(barkTexture());
    model.addMaterial(needlesTexture());
    model.addMaterial(leavesTexture());
}

} // namespace

AssetModel makeTreeRing()
{
    AssetModel model("fewtreesnearobj");
    model.setPrecision(3, 2);  // 0.03 world units; the trees stand far from the camera
    addTreeMaterials(model);
    Random random(31337);
    for (const glm::vec2& spot : treeSpots()) {
        const float height = random.range(330.0f, 560.0f) / treeScale;
        const glm::vec3 at = (glm::vec3(spot.x, 0.0f, spot.y) - treeOrigin) / treeScale;
        addTree(model, at, height, random.unit() < 0.55f, random.range(0.0f, 6.28f), random);
    }
    return model;
}

AssetModel makeFewTrees()
{
    AssetModel model("fewtrees");
    addTreeMaterials(model);
    Random random(7);
    addTree(model, {0, 0, 0}, 14.0f, false, 0.0f, random);
    addTree(model, {9, 0, 3}, 16.0f, true, 0.0f, random);
    return model;
}

} // namespace assetgen
