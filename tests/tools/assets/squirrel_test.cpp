// The squirrel's skeleton, weights and loop, and where the game's matrix puts its body: on the
// ground, facing its heading, about 60 units tall, feet planted while it gnaws.

#include "tests/tools/assets/imported_model.hpp"

#include <assimp/scene.h>
#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>

namespace {

constexpr double gameTicksPerSecond = 20.0;  // the game's animation clock
constexpr float squirrelScale = 7.0f;

glm::mat4 toGlm(const aiMatrix4x4& m) { return glm::transpose(glm::make_mat4(&m.a1)); }

// The squirrel's matrix as the game builds it at a spawn point with a heading.
glm::mat4 gameMatrix(glm::vec3 position, float heading)
{
    glm::mat4 m = glm::rotate(glm::translate(glm::mat4(1.0f), position), heading, glm::vec3(0, 1, 0));
    m = glm::scale(m, glm::vec3(squirrelScale));
    m = glm::translate(m, glm::vec3(0, 25, 0));
    return glm::rotate(m, glm::half_pi<float>(), glm::vec3(1, 0, 0));
}

template <typename Key>
std::pair<unsigned, float> bracket(const Key* keys, unsigned count, double t)
{
    unsigned i = 0;
    while (i + 1 < count && keys[i + 1].mTime <= t)
        ++i;
    if (i + 1 >= count || keys[i + 1].mTime <= keys[i].mTime)
        return {i, 0.0f};
    return {i, float((t - keys[i].mTime) / (keys[i + 1].mTime - keys[i].mTime))};
}

glm::mat4 channelAt(const aiNodeAnim* c, double t)
{
    const auto [pi, pf] = bracket(c->mPositionKeys, c->mNumPositionKeys, t);
    const auto [ri, rf] = bracket(c->mRotationKeys, c->mNumRotationKeys, t);
    const aiVector3D p0 = c->mPositionKeys[pi].mValue, p1 = c->mPositionKeys[std::min(pi + 1, c->mNumPositionKeys - 1)].mValue;
    const aiQuaternion q0 = c->mRotationKeys[ri].mValue, q1 = c->mRotationKeys[std::min(ri + 1, c->mNumRotationKeys - 1)].mValue;
    const glm::quat r = glm::slerp(glm::quat(q0.w, q0.x, q0.y, q0.z), glm::quat(q1.w, q1.x, q1.y, q1.z), rf);
    glm::mat4 m = glm::mat4_cast(r);
    m[3] = glm::vec4(glm::mix(glm::vec3(p0.x, p0.y, p0.z), glm::vec3(p1.x, p1.y, p1.z), pf), 1.0f);
    return m;
}

class Squirrel : public ::testing::Test {
protected:
    static void SetUpTestSuite() { model = new ImportedModel(ressource("Models/bakedsq.dae")); }
    static void TearDownTestSuite() { delete model; }
    void SetUp() override { ASSERT_TRUE(model->loaded()) << model->error(); }

    static const aiMesh* mesh() { return model->scene()->mMeshes[0]; }

    // Skinned vertices at a moment of game time, placed by the matrix: mesh-node inverse x bone
    // global x bone offset, each vertex blended over its bones.
    static std::vector<glm::vec3> posed(double gameSeconds, const glm::mat4& placement)
    {
        const aiScene* scene = model->scene();
        const aiAnimation* loop = scene->mAnimations[0];
        const double t = std::fmod(gameSeconds * gameTicksPerSecond, loop->mDuration);
        std::map<std::string, glm::mat4> animated;
        for (unsigned c = 0; c < loop->mNumChannels; ++c)
            animated[loop->mChannels[c]->mNodeName.C_Str()] = channelAt(loop->mChannels[c], t);
        std::map<std::string, glm::mat4> global;
        glm::mat4 meshNode(1.0f);
        std::function<void(const aiNode*, const glm::mat4&)> walk = [&](const aiNode* n, const glm::mat4& parent) {
            const auto a = animated.find(n->mName.C_Str());
            const glm::mat4 g = parent * (a != animated.end() ? a->second : toGlm(n->mTransformation));
            global[n->mName.C_Str()] = g;
            if (n->mNumMeshes > 0)
                meshNode = g;
            for (unsigned i = 0; i < n->mNumChildren; ++i)
                walk(n->mChildren[i], g);
        };
        walk(scene->mRootNode, glm::mat4(1.0f));

        const aiMesh* m = mesh();
        std::vector<glm::mat4> skin(m->mNumVertices, glm::mat4(0.0f));
        for (unsigned b = 0; b < m->mNumBones; ++b) {
            const aiBone* bone = m->mBones[b];
            const glm::mat4 matrix = glm::inverse(meshNode) * global.at(bone->mName.C_Str()) * toGlm(bone->mOffsetMatrix);
            for (unsigned w = 0; w < bone->mNumWeights; ++w)
                skin[bone->mWeights[w].mVertexId] += matrix * bone->mWeights[w].mWeight;
        }
        std::vector<glm::vec3> out;
        for (unsigned v = 0; v < m->mNumVertices; ++v) {
            const aiVector3D& p = m->mVertices[v];
            out.push_back(glm::vec3(placement * skin[v] * glm::vec4(p.x, p.y, p.z, 1.0f)));
        }
        return out;
    }

    // Vertices whose largest weight belongs to the named bone.
    static std::vector<unsigned> verticesOf(const std::string& boneName)
    {
        const aiMesh* m = mesh();
        std::vector<float> best(m->mNumVertices, 0.0f);
        std::vector<std::string> owner(m->mNumVertices);
        for (unsigned b = 0; b < m->mNumBones; ++b)
            for (unsigned w = 0; w < m->mBones[b]->mNumWeights; ++w) {
                const aiVertexWeight& vw = m->mBones[b]->mWeights[w];
                if (vw.mWeight > best[vw.mVertexId]) {
                    best[vw.mVertexId] = vw.mWeight;
                    owner[vw.mVertexId] = m->mBones[b]->mName.C_Str();
                }
            }
        std::vector<unsigned> out;
        for (unsigned v = 0; v < m->mNumVertices; ++v)
            if (owner[v] == boneName)
                out.push_back(v);
        return out;
    }

    static glm::vec3 centreOf(const std::vector<glm::vec3>& points, const std::vector<unsigned>& which)
    {
        glm::vec3 sum(0.0f);
        for (unsigned v : which)
            sum += points[v];
        return sum / float(which.size());
    }

    static ImportedModel* model;
};

ImportedModel* Squirrel::model = nullptr;

TEST_F(Squirrel, HasOneSkinnedMeshWithAtLeastEightBonesAndOneAnimation)
{
    ASSERT_EQ(model->scene()->mNumMeshes, 1u);
    EXPECT_GE(mesh()->mNumBones, 8u);
    ASSERT_EQ(model->scene()->mNumAnimations, 1u);
    EXPECT_GE(model->scene()->mAnimations[0]->mNumChannels, 8u);
    for (unsigned b = 0; b < mesh()->mNumBones; ++b)
        EXPECT_NE(model->scene()->mRootNode->FindNode(mesh()->mBones[b]->mName), nullptr) << "every bone has its node";
}

TEST_F(Squirrel, EveryVertexHasAtMostFourWeightsSummingToOne)
{
    std::vector<float> sum(mesh()->mNumVertices, 0.0f);
    std::vector<int> count(mesh()->mNumVertices, 0);
    for (unsigned b = 0; b < mesh()->mNumBones; ++b)
        for (unsigned w = 0; w < mesh()->mBones[b]->mNumWeights; ++w) {
            const aiVertexWeight& vw = mesh()->mBones[b]->mWeights[w];
            sum[vw.mVertexId] += vw.mWeight;
            ++count[vw.mVertexId];
        }
    for (unsigned v = 0; v < mesh()->mNumVertices; ++v) {
        ASSERT_NEAR(sum[v], 1.0f, 1e-3f) << "vertex " << v;
        ASSERT_LE(count[v], 4) << "vertex " << v;
    }
}

// Key times are stored at 1/50 of their intended length: the game plays file milliseconds as ticks
// at 20 per second. The loop should last a couple of seconds and close on its first pose.
TEST_F(Squirrel, LoopLastsAboutTwoGameSecondsAndEndsWhereItStarts)
{
    const aiAnimation* loop = model->scene()->mAnimations[0];
    const double seconds = loop->mDuration / gameTicksPerSecond;
    EXPECT_GE(seconds, 1.0);
    EXPECT_LE(seconds, 4.0);
    for (unsigned c = 0; c < loop->mNumChannels; ++c) {
        const aiNodeAnim* ch = loop->mChannels[c];
        SCOPED_TRACE(ch->mNodeName.C_Str());
        ASSERT_GE(ch->mNumRotationKeys, 8u) << "enough keys for a smooth chew at 20 ticks a second";
        EXPECT_NEAR(ch->mRotationKeys[ch->mNumRotationKeys - 1].mTime, loop->mDuration, 1e-3);
        const aiQuaternion a = ch->mRotationKeys[0].mValue, b = ch->mRotationKeys[ch->mNumRotationKeys - 1].mValue;
        EXPECT_NEAR(std::abs(a.w * b.w + a.x * b.x + a.y * b.y + a.z * b.z), 1.0f, 1e-4f);
        const aiVector3D p = ch->mPositionKeys[0].mValue, q = ch->mPositionKeys[ch->mNumPositionKeys - 1].mValue;
        EXPECT_NEAR((p - q).Length(), 0.0f, 1e-4f);
    }
}

TEST_F(Squirrel, StandsOnTheGroundAboutSixtyTallFacingAlongPlusX)
{
    const std::vector<glm::vec3> body = posed(0.0, gameMatrix({0, 0, 0}, 0.0f));
    const Box box = boundsOf(body);
    EXPECT_NEAR(box.min.y, 0.0f, 1.0f) << "feet on the ground";
    EXPECT_NEAR(box.size().y, 60.0f, 5.0f);
    const glm::vec3 head = centreOf(body, verticesOf("Head")), tail = centreOf(body, verticesOf("Tail3"));
    EXPECT_GT(head.x, tail.x + 10.0f) << "the head leads, the tail trails";
    EXPECT_NEAR(head.z, 0.0f, 1.0f) << "upright, not lying on its side";
    EXPECT_GT(head.y, 35.0f);
    // The nose reaches just short of the probe point one model unit (7 world units) ahead.
    EXPECT_GT(box.max.x, 2.0f);
    EXPECT_LE(box.max.x, squirrelScale);
}

// A squirrel spawned at (0, 0, 0) walks toward the chest at (700, 0, 700): the game turns it by
// acos(-0.7071) + pi about y, and its head must then point along (0.7071, 0, 0.7071).
TEST_F(Squirrel, FacesItsHeadingAfterTheGameTurnsIt)
{
    const float heading = std::acos(-0.70710677f) + glm::pi<float>();
    const std::vector<glm::vec3> body = posed(0.0, gameMatrix({0, 0, 0}, heading));
    const glm::vec3 forward = centreOf(body, verticesOf("Head")) - centreOf(body, verticesOf("Tail3"));
    EXPECT_GT(glm::dot(glm::normalize(glm::vec3(forward.x, 0.0f, forward.z)), glm::vec3(0.70710677f, 0.0f, 0.70710677f)), 0.99f);
}

TEST_F(Squirrel, KeepsItsFeetPlantedWhileHeadJawAndTailMove)
{
    const glm::mat4 placement = gameMatrix({0, 0, 0}, 0.0f);
    const std::vector<glm::vec3> rest = posed(0.0, placement);
    float jawTravel = 0.0f, tailSway = 0.0f;
    const auto jaw = verticesOf("Jaw"), tailTip = verticesOf("Tail4");
    ASSERT_FALSE(jaw.empty());
    ASSERT_FALSE(tailTip.empty());
    for (double t = 0.0; t < 2.0; t += 0.05) {
        SCOPED_TRACE(t);
        const std::vector<glm::vec3> body = posed(t, placement);
        const Box box = boundsOf(body);
        EXPECT_NEAR(box.min.y, 0.0f, 1.0f);
        EXPECT_NEAR(box.size().y, 60.0f, 6.0f);
        for (unsigned v : jaw)
            jawTravel = std::max(jawTravel, glm::length(body[v] - rest[v]));
        tailSway = std::max(tailSway, std::abs(centreOf(body, tailTip).z - centreOf(rest, tailTip).z));
    }
    EXPECT_GT(jawTravel, 0.5f) << "it gnaws";
    EXPECT_GT(tailSway, 2.0f) << "its tail sways";
}

} // namespace
