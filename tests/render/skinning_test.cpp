#include "assets/animator.hpp"
#include "render/model.hpp"
#include "render/render_state.hpp"
#include "render/shader_program.hpp"
#include "tests/render/render_test_support.hpp"

#include <GLFW/glfw3.h>
#include <assimp/scene.h>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

#include <memory>

// The two-bone test column: bottom ring on bone Root, middle and top rings on bone Tip, whose joint is
// at (0, 1, 0). The animation turns Tip a quarter about z at tick 20 and back to straight at 0 and 40.
namespace {

constexpr int straightClockMs = 0;
constexpr int bentClockMs = 1000; // 20 ticks at 20 ticks a second

class SkinningTest : public testing::Test {
protected:
    SkinningTest()
    {
        Model::clearCache();
        const std::string out = stdoutOf([&] { model = std::make_unique<Model>(path); });
        EXPECT_EQ(out, "Animator initialised\n");
        column = model->scene()->mRootNode->FindNode("Column");
    }
    ~SkinningTest() override { Model::clearCache(); }

    // Where the animator's current bone matrices put a mesh vertex.
    glm::vec3 skinned(const Vertex& v, const std::vector<aiMatrix4x4>& bones) const
    {
        aiVector3D result(0, 0, 0);
        const aiVector3D p(v.position.x, v.position.y, v.position.z);
        for (int slot = 0; slot < 4; ++slot)
            if (v.boneWeights[slot] > 0.0f)
                result += (bones[static_cast<std::size_t>(v.boneIds[slot])] * p) * v.boneWeights[slot];
        return glm::vec3(result.x, result.y, result.z);
    }

    const std::string path = sourcePath("tests/data/render/two_bones.dae");
    std::unique_ptr<Model> model;
    const aiNode* column = nullptr;
};

void expectNear(glm::vec3 actual, glm::vec3 expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-4);
    EXPECT_NEAR(actual.y, expected.y, 1e-4);
    EXPECT_NEAR(actual.z, expected.z, 1e-4);
}

TEST_F(SkinningTest, EveryVertexCarriesItsBoneWithFullWeight)
{
    ASSERT_NE(model->animator(), nullptr);
    ASSERT_NE(column, nullptr);
    ASSERT_EQ(model->meshes().size(), 1u);
    ASSERT_EQ(model->texturesLoaded().size(), 1u);
    for (const Vertex& v : model->meshes()[0].vertices()) {
        EXPECT_FLOAT_EQ(v.boneWeights.x, 1.0f);
        EXPECT_EQ(v.boneWeights.y + v.boneWeights.z + v.boneWeights.w, 0.0f);
        EXPECT_EQ(v.boneIds.x, v.position.y < 0.5f ? 0 : 1) << "bottom ring on Root, the rest on Tip";
    }
}

TEST_F(SkinningTest, AtTheBindPoseSkinnedVerticesAreTheMeshVertices)
{
    model->animator()->update(straightClockMs, Animator::defaultTickRate);
    const std::vector<aiMatrix4x4> bones = model->animator()->boneTransforms(column, 0);
    ASSERT_EQ(bones.size(), 2u);
    for (const Vertex& v : model->meshes()[0].vertices())
        expectNear(skinned(v, bones), v.position);
}

TEST_F(SkinningTest, ABoneTurnedAboutItsJointLeavesTheJointInPlace)
{
    model->animator()->update(bentClockMs, Animator::defaultTickRate);
    const std::vector<aiMatrix4x4> bones = model->animator()->boneTransforms(column, 0);
    ASSERT_EQ(bones.size(), 2u);
    int onAxis = 0, tops = 0;
    for (const Vertex& v : model->meshes()[0].vertices()) {
        const glm::vec3 p = v.position;
        const glm::vec3 posed = skinned(v, bones);
        if (p.y < 0.5f) {
            expectNear(posed, p); // Root did not move
        } else if (p.y < 1.5f && p.x == 0.0f) {
            expectNear(posed, p); // on Tip's axis of rotation through its joint
            ++onAxis;
        } else if (p.y > 1.5f && p.x > 0.2f) {
            expectNear(posed, glm::vec3(-1.0f, 1.25f, 0.0f)); // (0.25, 2, 0) turned about (0, 1, 0)
            ++tops;
        }
    }
    EXPECT_GT(onAxis, 0);
    EXPECT_GT(tops, 0);
}

// What reaches the shader: the same matrices, column-major, driven by the GLFW clock.
TEST_F(SkinningTest, DrawingUploadsThePosedBonesFromTheClock)
{
    testing::internal::CaptureStdout();
    const ShaderProgram program(sourcePath("QUARVEL/Shader/basicvert.vert"),
                                sourcePath("QUARVEL/Shader/basicfrag.frag"));
    testing::internal::GetCapturedStdout();
    glUseProgram(program.id);

    glfwSetTime(bentClockMs / 1000.0);
    model->draw(program);

    glm::mat4 tip(0.0f);
    glGetUniformfv(program.id, glGetUniformLocation(program.id, "bones[1]"), glm::value_ptr(tip));
    const glm::vec4 top = tip * glm::vec4(0.25f, 2.0f, 0.0f, 1.0f);
    expectNear(glm::vec3(top), glm::vec3(-1.0f, 1.25f, 0.0f));
    glm::mat4 unused(0.0f);
    glGetUniformfv(program.id, glGetUniformLocation(program.id, "bones[2]"), glm::value_ptr(unused));
    EXPECT_EQ(unused, glm::mat4(1.0f)) << "slots beyond the mesh's bones stay identity";
}

TEST_F(SkinningTest, EveryModelOfTheFileAnnouncesItsAnimatorAndSharesIt)
{
    std::unique_ptr<Model> second;
    EXPECT_EQ(stdoutOf([&] { second = std::make_unique<Model>(path); }), "Animator initialised\n");
    EXPECT_EQ(second->animator(), model->animator());
}

} // namespace
