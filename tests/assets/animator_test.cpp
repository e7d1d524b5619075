#include "assets/animator.hpp"
#include "tests/support/scratch_dir.hpp"

#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr double rate = Animator::defaultTickRate;

// Milliseconds of clock that bring the animation to the given tick at the game's rate.
int clockAt(double tick)
{
    return static_cast<int>(std::lround(tick / rate * 1000.0));
}

struct PositionKey {
    double time;
    aiVector3D value;
};
struct RotationKey {
    double time;
    aiQuaternion value;
};

// Builds the in-memory scenes Assimp would import; the scene owns everything (Assimp's own arrays).
class SceneBuilder {
public:
    SceneBuilder() : scene_(std::make_unique<aiScene>()) {}

    // A node under parent (or the root when parent is null) with the given transformation.
    aiNode* node(const char* name, aiNode* parent = nullptr, const aiMatrix4x4& transform = aiMatrix4x4())
    {
        auto* created = new aiNode(name);
        created->mTransformation = transform;
        if (parent == nullptr) {
            scene_->mRootNode = created;
        } else {
            aiNode* children[] = {created};
            parent->addChildren(1, children);
        }
        return created;
    }

    aiNodeAnim& channel(const char* nodeName, std::vector<PositionKey> positions,
                        std::vector<RotationKey> rotations = {}, std::vector<PositionKey> scalings = {})
    {
        auto* created = new aiNodeAnim();
        created->mNodeName = aiString(nodeName);
        created->mNumPositionKeys = static_cast<unsigned>(positions.size());
        created->mPositionKeys = positions.empty() ? nullptr : new aiVectorKey[positions.size()];
        for (std::size_t i = 0; i < positions.size(); ++i)
            created->mPositionKeys[i] = aiVectorKey(positions[i].time, positions[i].value);
        created->mNumRotationKeys = static_cast<unsigned>(rotations.size());
        created->mRotationKeys = rotations.empty() ? nullptr : new aiQuatKey[rotations.size()];
        for (std::size_t i = 0; i < rotations.size(); ++i)
            created->mRotationKeys[i] = aiQuatKey(rotations[i].time, rotations[i].value);
        created->mNumScalingKeys = static_cast<unsigned>(scalings.size());
        created->mScalingKeys = scalings.empty() ? nullptr : new aiVectorKey[scalings.size()];
        for (std::size_t i = 0; i < scalings.size(); ++i)
            created->mScalingKeys[i] = aiVectorKey(scalings[i].time, scalings[i].value);
        channels_.push_back(created);
        return *created;
    }

    // The scene with one animation of the given duration over the channels made so far.
    const aiScene& finish(double duration)
    {
        auto* animation = new aiAnimation();
        animation->mDuration = duration;
        animation->mTicksPerSecond = 1000.0; // ignored: the game sets its own rate
        animation->mNumChannels = static_cast<unsigned>(channels_.size());
        if (!channels_.empty()) {
            animation->mChannels = new aiNodeAnim*[channels_.size()];
            std::copy(channels_.begin(), channels_.end(), animation->mChannels);
        }
        scene_->mNumAnimations = 1;
        scene_->mAnimations = new aiAnimation*[1]{animation};
        return *scene_;
    }

private:
    std::unique_ptr<aiScene> scene_;
    std::vector<aiNodeAnim*> channels_;
};

std::unique_ptr<Animator> quietAnimator(const aiScene& scene)
{
    testing::internal::CaptureStdout();
    auto animator = std::make_unique<Animator>(&scene);
    testing::internal::GetCapturedStdout();
    return animator;
}

aiVector3D translationOf(const aiMatrix4x4& m)
{
    return aiVector3D(m.a4, m.b4, m.c4);
}

void expectNear(const aiVector3D& actual, const aiVector3D& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-4);
    EXPECT_NEAR(actual.y, expected.y, 1e-4);
    EXPECT_NEAR(actual.z, expected.z, 1e-4);
}

const aiQuaternion quarterTurnZ(aiVector3D(0, 0, 1), static_cast<float>(M_PI / 2));

TEST(Animator, AnnouncesItselfOnConstruction)
{
    SceneBuilder builder;
    builder.node("root");
    const aiScene& scene = builder.finish(10.0);
    std::unique_ptr<Animator> animator;
    EXPECT_EQ(stdoutOf([&] { animator = std::make_unique<Animator>(&scene); }), "Animator initialised\n");
}

TEST(Animator, ASingleKeyHoldsForEveryTime)
{
    SceneBuilder builder;
    const aiNode* a = builder.node("a");
    builder.channel("a", {{5.0, aiVector3D(1, 2, 3)}}, {{5.0, quarterTurnZ}});
    auto animator = quietAnimator(builder.finish(40.0));

    for (double tick : {0.0, 4.0, 5.0, 17.5, 39.0}) {
        animator->update(clockAt(tick), rate);
        const aiMatrix4x4& local = animator->localTransform(a);
        expectNear(translationOf(local), aiVector3D(1, 2, 3));
        EXPECT_NEAR(local.a2, -1.0f, 1e-5) << "turned a quarter about z at tick " << tick;
    }
}

TEST(Animator, TicksComeFromTheClockInMillisecondsAtTheGivenRate)
{
    SceneBuilder builder;
    const aiNode* a = builder.node("a");
    builder.channel("a", {{0.0, aiVector3D(0, 0, 0)}, {20.0, aiVector3D(20, 0, 0)}});
    auto animator = quietAnimator(builder.finish(40.0));

    animator->update(500, 20.0); // 10 ticks
    EXPECT_NEAR(animator->localTransform(a).a4, 10.0f, 1e-4);
    animator->update(500, 0.0); // a rate of 0 means 20
    EXPECT_NEAR(animator->localTransform(a).a4, 10.0f, 1e-4);
    animator->update(250, 40.0); // 10 ticks again
    EXPECT_NEAR(animator->localTransform(a).a4, 10.0f, 1e-4);
}

// Position x equals the tick at every key: any stale key index shows as a wrong x.
TEST(Animator, TimeWrappingPastTheEndRestartsTheKeySearch)
{
    SceneBuilder builder;
    const aiNode* a = builder.node("a");
    builder.channel("a", {{0.0, aiVector3D(0, 0, 0)}, {10.0, aiVector3D(10, 0, 0)}, {20.0, aiVector3D(20, 0, 0)},
                          {30.0, aiVector3D(30, 0, 0)}});
    auto animator = quietAnimator(builder.finish(40.0));

    animator->update(clockAt(28.0), rate);
    EXPECT_NEAR(animator->localTransform(a).a4, 28.0f, 1e-3);
    animator->update(clockAt(40.0 + 5.0), rate); // the loop wrapped: 5 ticks into the next round
    EXPECT_NEAR(animator->localTransform(a).a4, 5.0f, 1e-3);
    animator->update(clockAt(40.0 + 25.0), rate); // forward again, resuming from the cached key
    EXPECT_NEAR(animator->localTransform(a).a4, 25.0f, 1e-3);
}

TEST(Animator, AfterTheLastKeyPositionRunsToTheFirstKeyWhileRotationHolds)
{
    SceneBuilder builder;
    const aiNode* a = builder.node("a");
    builder.channel("a", {{0.0, aiVector3D(0, 0, 0)}, {20.0, aiVector3D(10, 0, 0)}},
                    {{0.0, aiQuaternion()}, {20.0, quarterTurnZ}});
    auto animator = quietAnimator(builder.finish(40.0));

    animator->update(clockAt(10.0), rate); // between the keys both interpolate
    const aiMatrix4x4 halfway = animator->localTransform(a);
    EXPECT_NEAR(halfway.a4, 5.0f, 1e-4);
    EXPECT_NEAR(halfway.a1, std::cos(M_PI / 4), 1e-4);

    animator->update(clockAt(30.0), rate); // halfway from the last key back to the first
    const aiMatrix4x4& seam = animator->localTransform(a);
    EXPECT_NEAR(seam.a4, 5.0f, 1e-4);
    EXPECT_NEAR(seam.a1, 0.0f, 1e-4) << "rotation holds the last key";
    EXPECT_NEAR(seam.b1, 1.0f, 1e-4);
}

TEST(Animator, ScalingTakesTheKeyInEffectWithoutBlending)
{
    SceneBuilder builder;
    const aiNode* a = builder.node("a");
    builder.channel("a", {}, {}, {{0.0, aiVector3D(1, 1, 1)}, {20.0, aiVector3D(3, 3, 3)}});
    auto animator = quietAnimator(builder.finish(40.0));

    animator->update(clockAt(19.0), rate);
    EXPECT_NEAR(animator->localTransform(a).a1, 1.0f, 1e-5);
    animator->update(clockAt(21.0), rate);
    EXPECT_NEAR(animator->localTransform(a).a1, 3.0f, 1e-5);
    expectNear(translationOf(animator->localTransform(a)), aiVector3D(0, 0, 0));
}

// Scale along the node's own x, then a quarter turn about z: x maps to 2y, y to -x. Scaling rows
// instead would give x -> y and y -> -2x.
TEST(Animator, ScalingStretchesTheNodesOwnAxesBeforeTheTurn)
{
    SceneBuilder builder;
    const aiNode* a = builder.node("a");
    builder.channel("a", {{0.0, aiVector3D(4, 5, 6)}}, {{0.0, quarterTurnZ}}, {{0.0, aiVector3D(2, 1, 1)}});
    auto animator = quietAnimator(builder.finish(10.0));

    animator->update(clockAt(1.0), rate);
    const aiMatrix4x4& local = animator->localTransform(a);
    expectNear(local * aiVector3D(1, 0, 0), aiVector3D(4, 7, 6));
    expectNear(local * aiVector3D(0, 1, 0), aiVector3D(3, 5, 6));
    expectNear(local * aiVector3D(0, 0, 1), aiVector3D(4, 5, 7));
}

TEST(Animator, NodesWithoutAChannelKeepTheirTransformAndCarryTheirParentsPose)
{
    SceneBuilder builder;
    aiNode* root = builder.node("root");
    aiMatrix4x4 offset;
    aiMatrix4x4::Translation(aiVector3D(7, 0, 0), offset);
    const aiNode* child = builder.node("still", root, offset);
    builder.channel("root", {{0.0, aiVector3D(0, 5, 0)}});
    auto animator = quietAnimator(builder.finish(10.0));

    animator->update(clockAt(3.0), rate);
    EXPECT_EQ(animator->channelOf(child), -1);
    EXPECT_TRUE(animator->localTransform(child).Equal(offset));
    expectNear(translationOf(animator->globalTransform(child)), aiVector3D(7, 5, 0));
}

TEST(Animator, TheFirstOfTwoChannelsForOneNodeDrivesIt)
{
    SceneBuilder builder;
    const aiNode* a = builder.node("a");
    builder.channel("a", {{0.0, aiVector3D(1, 0, 0)}});
    builder.channel("a", {{0.0, aiVector3D(2, 0, 0)}});
    auto animator = quietAnimator(builder.finish(10.0));

    EXPECT_EQ(animator->channelOf(a), 0);
    animator->update(clockAt(1.0), rate);
    EXPECT_NEAR(animator->localTransform(a).a4, 1.0f, 1e-5);
}

TEST(Animator, AnAnimationWithoutDurationChangesNothing)
{
    SceneBuilder builder;
    const aiNode* a = builder.node("a");
    builder.channel("a", {{0.0, aiVector3D(9, 9, 9)}});
    auto animator = quietAnimator(builder.finish(0.0));

    animator->update(clockAt(1.0), rate);
    EXPECT_TRUE(animator->localTransform(a).IsIdentity());
}

} // namespace
