// The generator's building blocks: shapes face outward with normals that agree with their winding,
// faceted solids close up, confine keeps parts inside their box, and the OBJ and COLLADA writers
// survive a round trip through Assimp unchanged, big flat faces costing one vertex per corner.

#include "tools/asset_gen/collada_writer.hpp"
#include "tools/asset_gen/obj_writer.hpp"
#include "tools/asset_gen/shapes.hpp"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace {

using assetgen::Mesh;

// Each triangle's winding normal agrees with its vertex normals, and both look away from the centre
// of a convex shape.
void expectOutward(const Mesh& mesh, glm::vec3 centre)
{
    const auto& v = mesh.vertices();
    const auto& idx = mesh.indices();
    ASSERT_FALSE(idx.empty());
    for (std::size_t i = 0; i < idx.size(); i += 3) {
        const glm::vec3 a = v[idx[i]].position, b = v[idx[i + 1]].position, c = v[idx[i + 2]].position;
        const glm::vec3 winding = glm::cross(b - a, c - a);
        const glm::vec3 middle = (a + b + c) / 3.0f;
        for (int k = 0; k < 3; ++k)
            ASSERT_GT(glm::dot(winding, v[idx[i + k]].normal), 0.0f) << "triangle " << i / 3;
        ASSERT_GT(glm::dot(winding, middle - centre), 0.0f) << "triangle " << i / 3;
    }
}

// A plain box is quads only, one lattice per face, however its edge normals are bent.
TEST(Shapes, PlainBoxIsQuadsFacingOutward)
{
    const Mesh box = assetgen::box({-1, 0, -2}, {3, 1, 2}, "m", 1.0f, 0.4f, {1, 2, 3});
    expectOutward(box, {1, 0.5f, 0});
    EXPECT_EQ(box.bounds().min, glm::vec3(-1, 0, -2));
    EXPECT_EQ(box.bounds().max, glm::vec3(3, 1, 2));
    const auto faces = box.polygons();
    EXPECT_EQ(faces.size(), 2u * (2 * 3 + 3 * 1 + 1 * 2));  // the x, y and z faces' lattices
    for (const auto& face : faces)
        EXPECT_EQ(face.size(), 4u);
}

TEST(Shapes, LatheEllipsoidAndTubeFaceOutward)
{
    expectOutward(assetgen::lathe({{0, 0}, {1, 0}, {1.2f, 1}, {0.8f, 2}, {0, 2}}, "m"), {0, 1, 0});
    expectOutward(assetgen::ellipsoid({1, 2, 3}, {2, 1, 0.5f}, "m"), {1, 2, 3});
    for (assetgen::TubeEnd ends : {assetgen::TubeEnd::Flat, assetgen::TubeEnd::Round})
        expectOutward(assetgen::tube({{0, 0, 0}, {0, 1, 0}, {0, 2, 0}}, {0.5f, 0.5f, 0.5f}, "m", 8, 1.0f, ends), {0, 1, 0});
}

std::size_t facesWithCorners(const Mesh& m, std::size_t corners)
{
    const auto faces = m.polygons();
    return std::size_t(std::count_if(faces.begin(), faces.end(), [&](const auto& f) { return f.size() == corners; }));
}

// Flat ends of turned profiles and tubes close with one polygon each; the sides are quads.
TEST(Shapes, FlatEndsAreOnePolygonAndSidesAreQuads)
{
    assetgen::LatheOptions o;
    o.segments = 12;
    const Mesh can = assetgen::lathe({{0, 0}, {1, 0}, {1, 1}, {0.7f, 1.4f}, {0, 1.4f}}, "m", o);
    EXPECT_EQ(facesWithCorners(can, 12), 2u);
    EXPECT_EQ(facesWithCorners(can, 4), 24u);
    EXPECT_EQ(can.cornerCount(), 2u * 12 + 24 * 4);
    const Mesh rod = assetgen::tube({{0, 0, 0}, {0.3f, 1, 0}, {0, 2, 0}}, {0.5f, 0.4f, 0.3f}, "m", 6, 1.0f, assetgen::TubeEnd::Flat);
    EXPECT_EQ(facesWithCorners(rod, 6), 2u);
    EXPECT_EQ(rod.cornerCount(), 2u * 6 + 2 * 6 * 4);
    const Mesh dome = assetgen::ellipsoid({0, 0, 0}, {1, 1, 1}, "m", 8, 4);  // round poles stay fans
    EXPECT_EQ(facesWithCorners(dome, 3), 16u);
}

// A mirror turns every face round and keeps it whole: the same polygons, wound the other way,
// still facing out.
TEST(Shapes, TransformWithAMirrorKeepsFacesWholeAndOutward)
{
    assetgen::LatheOptions o;
    o.segments = 10;
    Mesh m = assetgen::lathe({{0, -1}, {1, -1}, {1.2f, 0}, {0.8f, 1}, {0, 1.2f}}, "m", o);
    m.append(assetgen::ellipsoid({0, 0, 0}, {1, 1, 1}, "m"));
    const auto before = m.polygons();
    m.transform(glm::scale(glm::mat4(1.0f), glm::vec3(-1, 2, 1)));
    expectOutward(m, {0, 0, 0});
    const auto after = m.polygons();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t f = 0; f < after.size(); ++f)
        EXPECT_EQ(after[f].size(), before[f].size()) << "face " << f;
}

// A faceted gem is a closed solid: every edge belongs to exactly two faces.
TEST(Shapes, FacetedRingsCloseUpFacingOutward)
{
    std::vector<glm::vec3> girdle, table;
    for (int i = 0; i < 8; ++i) {
        const float a = 6.2831853f * float(i) / 8.0f, b = 6.2831853f * (float(i) + 0.5f) / 4.0f;
        girdle.push_back({std::cos(a), 0, -std::sin(a)});
        if (i < 4)
            table.push_back({0.5f * std::cos(b), 0.4f, -0.5f * std::sin(b)});
    }
    const Mesh gem = assetgen::facetedRings({{{0, -1, 0}}, girdle, table}, "m", 1.0f);
    expectOutward(gem, {0, 0, 0});
    std::map<std::pair<std::string, std::string>, int> edges;
    const auto key = [](glm::vec3 p) {
        return std::to_string(std::lround(p.x * 1000)) + "," + std::to_string(std::lround(p.y * 1000)) + "," +
               std::to_string(std::lround(p.z * 1000));
    };
    const auto& v = gem.vertices();
    const auto& idx = gem.indices();
    for (std::size_t i = 0; i < idx.size(); i += 3)
        for (int k = 0; k < 3; ++k) {
            std::string a = key(v[idx[i + k]].position), b = key(v[idx[i + (k + 1) % 3]].position);
            if (b < a)
                std::swap(a, b);
            ++edges[{a, b}];
        }
    std::map<int, int> uses;
    for (const auto& [edge, count] : edges)
        ++uses[count];
    // Fan triangulation adds inner edges used twice as well; no edge may be open or shared by three.
    EXPECT_EQ(uses.count(1), 0u);
    EXPECT_EQ(uses.count(3), 0u);
}

TEST(Shapes, ConfineKeepsEveryVertexInsideAndLeavesTheMiddleAlone)
{
    Mesh m = assetgen::ellipsoid({0, 0, 0}, {2, 1, 1}, "m");
    assetgen::Bounds box;
    box.include({-1.5f, -2, -2});
    box.include({1.5f, 2, 2});
    const std::vector<assetgen::Vertex> before = m.vertices();
    assetgen::confine(m, box, 0.2f);
    for (std::size_t i = 0; i < before.size(); ++i) {
        const glm::vec3 p = m.vertices()[i].position;
        EXPECT_LT(std::abs(p.x), 1.5f);
        if (std::abs(before[i].position.x) < 1.2f) {
            EXPECT_EQ(p, before[i].position);
        }
    }
}

std::multiset<std::string> triangleSet(const std::vector<glm::vec3>& corners)
{
    std::multiset<std::string> out;
    for (std::size_t i = 0; i + 2 < corners.size(); i += 3) {
        std::vector<std::string> t;
        for (int k = 0; k < 3; ++k)
            t.push_back(std::to_string(std::lround(corners[i + k].x * 1000)) + "," + std::to_string(std::lround(corners[i + k].y * 1000)) +
                        "," + std::to_string(std::lround(corners[i + k].z * 1000)));
        std::rotate(t.begin(), std::min_element(t.begin(), t.end()), t.end());  // same triangle, same winding
        out.insert(t[0] + " " + t[1] + " " + t[2]);
    }
    return out;
}

const aiScene* importText(Assimp::Importer& importer, const std::string& text, const char* format)
{
    return importer.ReadFileFromMemory(text.data(), text.size(), aiProcess_Triangulate | aiProcess_FlipUVs, format);
}

// Quads are written where two triangles make a convex one; Assimp's triangulation must give back
// exactly the triangles we built, with the same winding, and concave pairs must stay triangles.
TEST(ObjWriter, RoundTripThroughAssimpGivesBackTheSameTriangles)
{
    assetgen::AssetModel model("round_trip");
    model.addMaterial({"m", assetgen::Image(4, 4)});
    Mesh mesh = assetgen::lathe({{0, -0.5f}, {1, 0}, {1, 1}, {0.5f, 1.5f}, {0, 2}}, "m");
    const uint32_t a = mesh.addVertex({3, 0, 0}, {0, 1, 0}, {0, 0}), b = mesh.addVertex({5, 0, 0}, {0, 1, 0}, {1, 0});
    const uint32_t c = mesh.addVertex({4, 0, -0.3f}, {0, 1, 0}, {1, 1}), d = mesh.addVertex({4, 0, -2}, {0, 1, 0}, {0, 1});
    mesh.addTriangle(a, b, c);  // with the next one a concave (dart-shaped) quad
    mesh.addTriangle(a, c, d);
    model.add(mesh);
    std::vector<glm::vec3> expected;
    for (uint32_t i : mesh.indices())
        expected.push_back(mesh.vertices()[i].position);

    const std::string text = assetgen::objText(model, "round_trip.mtl");
    Assimp::Importer importer;
    const aiScene* scene = importText(importer, text, "obj");
    ASSERT_NE(scene, nullptr) << importer.GetErrorString();
    std::vector<glm::vec3> imported;
    for (unsigned m = 0; m < scene->mNumMeshes; ++m)
        for (unsigned f = 0; f < scene->mMeshes[m]->mNumFaces; ++f)
            for (unsigned k = 0; k < 3; ++k) {
                const aiVector3D p = scene->mMeshes[m]->mVertices[scene->mMeshes[m]->mFaces[f].mIndices[k]];
                imported.push_back({p.x, p.y, p.z});
            }
    EXPECT_EQ(triangleSet(imported), triangleSet(expected));
    std::size_t faceLines = 0;
    for (std::size_t at = text.find("\nf "); at != std::string::npos; at = text.find("\nf ", at + 1))
        ++faceLines;
    EXPECT_LT(faceLines, expected.size() / 3 * 3 / 4) << "pairs of triangles were written as quads";
}

double area(glm::vec3 a, glm::vec3 b, glm::vec3 c) { return 0.5 * double(glm::length(glm::cross(b - a, c - a))); }

// A flat polygon goes to the file whole; Assimp cuts it into triangles of its own choosing, which
// must cover the same surface facing the same way, with one vertex per corner.
TEST(ObjWriter, FlatPolygonsComeBackAsTheSameSurfaceWithOneVertexPerCorner)
{
    assetgen::AssetModel model("caps");
    model.addMaterial({"m", assetgen::Image(4, 4)});
    assetgen::LatheOptions o;
    o.segments = 12;
    const Mesh can = assetgen::lathe({{0, 0}, {1, 0}, {1, 1}, {0.6f, 1}, {0.6f, 1.5f}, {0, 1.5f}}, "m", o);
    model.add(can);
    double expectedArea = 0.0;
    for (std::size_t i = 0; i < can.indices().size(); i += 3)
        expectedArea += area(can.vertices()[can.indices()[i]].position, can.vertices()[can.indices()[i + 1]].position,
                             can.vertices()[can.indices()[i + 2]].position);

    Assimp::Importer importer;
    const aiScene* scene = importText(importer, assetgen::objText(model, "caps.mtl"), "obj");
    ASSERT_NE(scene, nullptr) << importer.GetErrorString();
    ASSERT_EQ(scene->mNumMeshes, 1u);
    const aiMesh* m = scene->mMeshes[0];
    EXPECT_EQ(m->mNumVertices, can.cornerCount());
    double importedArea = 0.0;
    for (unsigned f = 0; f < m->mNumFaces; ++f) {
        ASSERT_EQ(m->mFaces[f].mNumIndices, 3u);
        glm::vec3 p[3], n[3];
        for (int k = 0; k < 3; ++k) {
            const unsigned i = m->mFaces[f].mIndices[k];
            p[k] = {m->mVertices[i].x, m->mVertices[i].y, m->mVertices[i].z};
            n[k] = {m->mNormals[i].x, m->mNormals[i].y, m->mNormals[i].z};
        }
        importedArea += area(p[0], p[1], p[2]);
        const glm::vec3 winding = glm::cross(p[1] - p[0], p[2] - p[0]);
        for (int k = 0; k < 3; ++k)
            EXPECT_GT(glm::dot(winding, n[k]), 0.0f) << "face " << f;
    }
    EXPECT_NEAR(importedArea, expectedArea, 1e-3 * expectedArea);
}

// A two-joint skinned model: Assimp sees both bones with their inverse bind matrices and one
// animation whose key times arrive in milliseconds.
TEST(ColladaWriter, RoundTripKeepsBonesBindsAndKeyTimes)
{
    assetgen::SkinnedModel model;
    model.name = "two_bones";
    model.material = {"skin", assetgen::Image(4, 4)};
    model.mesh = assetgen::tube({{0, 0, 0}, {0, 1, 0}, {0, 2, 0}}, {0.2f, 0.2f, 0.2f}, "skin", 6);
    for (const assetgen::Vertex& v : model.mesh.vertices()) {
        assetgen::VertexWeights w;
        w.bones = {0, 1, 0, 0};
        w.weights = {1.0f - std::clamp(v.position.y / 2.0f, 0.0f, 1.0f), std::clamp(v.position.y / 2.0f, 0.0f, 1.0f), 0, 0};
        model.weights.push_back(w);
    }
    model.skeleton.rootName = "Rig";
    model.skeleton.rootTransform = glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, 3));
    model.skeleton.keyTimes = {0.0f, 0.001f, 0.002f};
    const glm::mat4 up = glm::translate(glm::mat4(1.0f), glm::vec3(0, 1, 0));
    model.skeleton.joints = {{"Root", -1, glm::mat4(1.0f), {}},
                             {"Tip", 0, up, {up, glm::rotate(up, 0.5f, glm::vec3(0, 0, 1)), up}}};
    const std::string text = assetgen::colladaText(model);

    Assimp::Importer importer;
    const aiScene* scene = importText(importer, text, "dae");
    ASSERT_NE(scene, nullptr) << importer.GetErrorString();
    ASSERT_EQ(scene->mNumMeshes, 1u);
    const aiMesh* mesh = scene->mMeshes[0];
    EXPECT_EQ(mesh->mNumVertices, model.mesh.cornerCount()) << "the tube's quads stay quads in the file";
    ASSERT_EQ(mesh->mNumBones, 2u);
    for (unsigned b = 0; b < 2; ++b) {
        const aiBone* bone = mesh->mBones[b];
        const int joint = std::string(bone->mName.C_Str()) == "Root" ? 0 : 1;
        const glm::mat4 inverseBind = glm::inverse(model.skeleton.bindGlobal(joint));
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 4; ++column)
                EXPECT_NEAR(bone->mOffsetMatrix[row][column], inverseBind[column][row], 1e-4f) << bone->mName.C_Str();
    }
    ASSERT_EQ(scene->mNumAnimations, 1u);
    const aiAnimation* anim = scene->mAnimations[0];
    ASSERT_EQ(anim->mNumChannels, 1u);
    EXPECT_STREQ(anim->mChannels[0]->mNodeName.C_Str(), "Tip");
    EXPECT_NEAR(anim->mDuration, 2.0, 1e-3) << "key times arrive in milliseconds";
    EXPECT_EQ(anim->mChannels[0]->mNumRotationKeys, 3u);
}

} // namespace
