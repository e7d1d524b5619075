// The models the game places with fixed matrices: chest and treasure inside the blocked columns,
// resting on what remains as pieces go; the ground's field under the grid; the trees framing the
// view without covering the field; the beetle's size and frame.

#include "tests/tools/assets/imported_model.hpp"

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <assimp/scene.h>

#include <cmath>

namespace {

constexpr float blockedLow = 550.0f, blockedHigh = 850.0f;  // world x and z of the 3 x 3 blocked columns
constexpr float fieldLow = -50.0f, fieldHigh = 1450.0f;     // world x and z of the field's edges
constexpr float spawnLow = 0.0f, spawnHigh = 2100.0f;       // the spawn rim
const glm::vec3 playerCamera(706.0f, 1500.0f, -550.0f);

glm::mat4 chestMatrix(float dropY = 0.0f)
{
    return glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(700.0f, dropY, 680.0f)), glm::vec3(100.0f));
}

glm::mat4 groundMatrix()
{
    glm::mat4 m = glm::scale(glm::mat4(1.0f), glm::vec3(33, 1, 32));
    m = glm::translate(m, glm::vec3(-1.4f, 0.0f, -0.34f));
    return glm::translate(m, glm::vec3(22, 0, 22));
}

glm::mat4 treesMatrix()
{
    glm::mat4 m = glm::scale(glm::mat4(1.0f), glm::vec3(30.0f));
    m[3] = glm::vec4(700, -1, 680, 1);
    return m;
}

struct Piece {
    const char* file;
    float drop;  // the crown is drawn 20 units lower
};

// In the order the game removes them.
const Piece treasure[] = {{"Models/schatztruhe-necklace.obj", 0.0f},
                          {"Models/diamant1.obj", 0.0f},
                          {"Models/coins.obj", 0.0f},
                          {"Models/diamant2.obj", 0.0f},
                          {"Models/schatztruhe-crown.obj", -20.0f}};

TEST(Chest, StandsOnTheGroundInsideTheBlockedColumns)
{
    const ImportedModel chest(ressource("Models/schatztruhe-truhe.obj"));
    ASSERT_TRUE(chest.loaded()) << chest.error();
    const Box b = chest.bounds(chestMatrix());
    EXPECT_NEAR(b.min.y, 0.0f, 0.5f);
    EXPECT_GE(b.min.x, blockedLow);
    EXPECT_LE(b.max.x, blockedHigh);
    EXPECT_GE(b.min.z, blockedLow);
    EXPECT_LE(b.max.z, blockedHigh);
    EXPECT_GT(b.size().y, 80.0f) << "tall enough to be seen from the player's camera";
    EXPECT_GT(b.size().x, 150.0f);
}

TEST(Treasure, EveryPieceLiesInsideTheBlockedColumnsAboveTheGround)
{
    for (const Piece& p : treasure) {
        const ImportedModel piece(ressource(p.file));
        ASSERT_TRUE(piece.loaded()) << p.file;
        const Box b = piece.bounds(chestMatrix(p.drop));
        EXPECT_GE(b.min.x, blockedLow) << p.file;
        EXPECT_LE(b.max.x, blockedHigh) << p.file;
        EXPECT_GE(b.min.z, blockedLow) << p.file;
        EXPECT_LE(b.max.z, blockedHigh) << p.file;
        EXPECT_GE(b.min.y, -0.5f) << p.file;
    }
}

// As pieces go (necklace first, crown last), none is left floating: the lowest point of each piece
// rests on the chest, on a piece that goes later, or on the ground.
TEST(Treasure, EachPieceRestsOnWhatRemainsAfterTheOnesBeforeItAreGone)
{
    const ImportedModel chest(ressource("Models/schatztruhe-truhe.obj"));
    ASSERT_TRUE(chest.loaded());
    for (std::size_t i = 1; i < std::size(treasure); ++i) {  // the necklace hangs over the rim
        std::vector<Triangle> support = chest.triangles(chestMatrix());
        for (std::size_t later = i + 1; later < std::size(treasure); ++later) {
            const ImportedModel other(ressource(treasure[later].file));
            const auto t = other.triangles(chestMatrix(treasure[later].drop));
            support.insert(support.end(), t.begin(), t.end());
        }
        const ImportedModel piece(ressource(treasure[i].file));
        const std::vector<glm::vec3> points = piece.positions(chestMatrix(treasure[i].drop));
        glm::vec3 lowest = points.front();
        for (const glm::vec3& q : points)
            lowest = q.y < lowest.y ? q : lowest;
        constexpr float above = 3.0f;  // start the ray a little higher: the piece may sit slightly sunk in
        const float hit = rayHit(lowest + glm::vec3(0, above, 0), glm::vec3(0, -1, 0), support);
        const float gap = hit >= 0.0f ? hit - above : lowest.y;  // no hit: measure down to the ground
        EXPECT_LE(gap, 3.0f) << treasure[i].file << " floats " << gap << " units above its support";
        EXPECT_GE(gap, -3.0f) << treasure[i].file << " sinks into its support";
    }
}

// The gems are convex solids lit by their normals: every normal looks away from the gem's middle.
TEST(Treasure, GemsFaceOutward)
{
    for (const char* file : {"Models/diamant1.obj", "Models/diamant2.obj"}) {
        const ImportedModel gem(ressource(file));
        ASSERT_TRUE(gem.loaded()) << file;
        const aiMesh* mesh = gem.scene()->mMeshes[0];
        glm::vec3 middle(0.0f);
        for (unsigned v = 0; v < mesh->mNumVertices; ++v)
            middle += glm::vec3(mesh->mVertices[v].x, mesh->mVertices[v].y, mesh->mVertices[v].z) / float(mesh->mNumVertices);
        for (unsigned v = 0; v < mesh->mNumVertices; ++v) {
            const glm::vec3 p(mesh->mVertices[v].x, mesh->mVertices[v].y, mesh->mVertices[v].z);
            const glm::vec3 n(mesh->mNormals[v].x, mesh->mNormals[v].y, mesh->mNormals[v].z);
            ASSERT_GT(glm::dot(p - middle, n), 0.0f) << file << " vertex " << v;
        }
    }
}

class Ground : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ground.loaded()) << ground.error(); }
    ImportedModel ground{ressource("Models/field2.obj")};
};

// The field's texture repeats every two cells, so its checker and edge lines fall on the cell edges.
TEST_F(Ground, FieldCoversTheGridWithOneTextureRepeatPerTwoCells)
{
    const aiScene* scene = ground.scene();
    bool found = false;
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        const aiMesh* mesh = scene->mMeshes[m];
        if (ground.materialName(mesh) != "field_grass")
            continue;
        found = true;
        Box covered;
        for (unsigned v = 0; v < mesh->mNumVertices; ++v) {
            const aiVector3D& p = mesh->mVertices[v];
            const glm::vec3 w(groundMatrix() * glm::vec4(p.x, p.y, p.z, 1.0f));
            covered.include(w);
            EXPECT_NEAR(w.y, 0.0f, 1e-3f);
            EXPECT_NEAR(mesh->mTextureCoords[0][v].x, (w.x - fieldLow) / 200.0f, 2e-3f);
            EXPECT_NEAR(1.0f - mesh->mTextureCoords[0][v].y, (w.z - fieldLow) / 200.0f, 2e-3f);  // v was flipped on import
        }
        EXPECT_NEAR(covered.min.x, fieldLow, 0.1f);
        EXPECT_NEAR(covered.max.x, fieldHigh, 0.1f);
        EXPECT_NEAR(covered.min.z, fieldLow, 0.1f);
        EXPECT_NEAR(covered.max.z, fieldHigh, 0.1f);
    }
    EXPECT_TRUE(found);
}

TEST_F(Ground, IsFlatUnderThePlayAreaAndReachesFarOut)
{
    const std::vector<glm::vec3> points = ground.positions(groundMatrix());
    for (const glm::vec3& p : points) {
        const bool nearPlay = p.x > spawnLow - 600.0f && p.x < spawnHigh + 600.0f && p.z > spawnLow - 600.0f && p.z < spawnHigh + 600.0f;
        if (nearPlay) {
            ASSERT_NEAR(p.y, 0.0f, 0.5f) << p.x << " " << p.z;
        }
    }
    const Box b = boundsOf(points);
    for (float edge : {b.min.x, b.min.z})
        EXPECT_LT(edge, 700.0f - 10000.0f);
    for (float edge : {b.max.x, b.max.z})
        EXPECT_GT(edge, 700.0f + 10000.0f);
}

// Looking out level from the player's camera in any direction, the hills rise to just under the horizon
// within the far plane (20000): no gap below the skyline, and the sky above it.
TEST_F(Ground, HillsFillTheViewUpToTheHorizonAllAround)
{
    constexpr int sectors = 36;
    std::vector<float> highest(sectors, -90.0f); // elevation of the skyline seen from the camera, degrees
    for (const glm::vec3& p : ground.positions(groundMatrix())) {
        const glm::vec2 d(p.x - playerCamera.x, p.z - playerCamera.z);
        if (glm::length(d) > 19000.0f)
            continue;
        const float a = std::atan2(d.y, d.x) + glm::pi<float>();
        const int s = std::min(int(a / glm::two_pi<float>() * sectors), sectors - 1);
        const float elevation = glm::degrees(std::atan2(p.y - playerCamera.y, glm::length(d)));
        highest[s] = std::max(highest[s], elevation);
    }
    for (int s = 0; s < sectors; ++s) {
        EXPECT_LT(highest[s], 0.0f) << "sector " << s;
        EXPECT_GT(highest[s], -4.0f) << "sector " << s;
    }
}

class Trees : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(trees.loaded()) << trees.error(); }
    ImportedModel trees{ressource("Models/fewtreesnearobj.obj")};
};

TEST_F(Trees, StandOutsideTheSpawnRimOnAllFourSides)
{
    int sides[4] = {0, 0, 0, 0};
    for (const glm::vec3& p : trees.positions(treesMatrix())) {
        const bool inside = p.x > spawnLow - 100.0f && p.x < spawnHigh + 100.0f && p.z > spawnLow - 100.0f && p.z < spawnHigh + 100.0f;
        ASSERT_FALSE(inside) << p.x << " " << p.y << " " << p.z;
        ++sides[p.x < spawnLow ? 0 : p.x > spawnHigh ? 1 : p.z < spawnLow ? 2 : 3];
    }
    for (int count : sides)
        EXPECT_GT(count, 100);
}

// A tree point hides the field when the line from the player's camera through it, continued to the
// ground, lands on the field.
TEST_F(Trees, LeaveTheFieldInFullViewOfThePlayersCamera)
{
    for (const glm::vec3& p : trees.positions(treesMatrix())) {
        if (p.y <= 0.0f || p.y >= playerCamera.y)
            continue;
        const glm::vec3 ray = p - playerCamera;
        const glm::vec3 ground = playerCamera + ray * (playerCamera.y / -ray.y);
        const bool onField = ground.x > fieldLow && ground.x < fieldHigh && ground.z > fieldLow && ground.z < fieldHigh;
        ASSERT_FALSE(onField) << "tree point " << p.x << " " << p.y << " " << p.z;
    }
}

TEST(FewTrees, IsASmallValidModel)
{
    const ImportedModel few(ressource("Models/fewtrees.obj"));
    ASSERT_TRUE(few.loaded()) << few.error();
    EXPECT_GT(few.positions().size(), 10u);
}

TEST(StagBeetle, IsSixtyToEightyLongWithItsFeetOnTheGroundAndJawsInFront)
{
    const ImportedModel beetle(ressource("Stones/fathirsch.obj"));
    ASSERT_TRUE(beetle.loaded()) << beetle.error();
    const glm::mat4 scale = glm::scale(glm::mat4(1.0f), glm::vec3(16.0f));
    const Box b = beetle.bounds(scale);
    EXPECT_GE(b.size().x, 60.0f);
    EXPECT_LE(b.size().x, 80.0f);
    EXPECT_NEAR(b.min.y, 0.0f, 0.3f) << "origin at the feet";
    EXPECT_LT(b.size().z, b.size().x);
    EXPECT_LE(b.max.y, 30.0f) << "no taller than the height the game gives it";
    EXPECT_LT(b.min.x, -15.0f) << "the origin lies under the body, not at an end";
    EXPECT_GT(b.max.x, 15.0f);
    EXPECT_NEAR(boundsOf(beetle.positionsOf("beetle_mandible", scale)).max.x, b.max.x, 0.5f) << "mandibles lead";
}

} // namespace
