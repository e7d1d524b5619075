#include "assets/bone_influences.hpp"

#include <gtest/gtest.h>

namespace {

TEST(BoneInfluences, UpToFourFillTheSlotsInOrderAndTheRestStayEmpty)
{
    Vertex vertex;
    storeInfluences(vertex, {{3, 0.25f}, {1, 0.75f}});
    EXPECT_EQ(vertex.boneIds, glm::ivec4(3, 1, 0, 0));
    EXPECT_EQ(vertex.boneWeights, glm::vec4(0.25f, 0.75f, 0.0f, 0.0f));
}

TEST(BoneInfluences, MoreThanFourKeepTheStrongestScaledToTheSameTotal)
{
    Vertex vertex;
    storeInfluences(vertex, {{0, 0.1f}, {1, 0.3f}, {2, 0.05f}, {3, 0.25f}, {4, 0.3f}});
    EXPECT_EQ(vertex.boneIds, glm::ivec4(1, 4, 3, 0));
    const float scale = 1.0f / 0.95f; // 0.05 of the weight was dropped
    EXPECT_FLOAT_EQ(vertex.boneWeights.x, 0.3f * scale);
    EXPECT_FLOAT_EQ(vertex.boneWeights.w, 0.1f * scale);
    EXPECT_FLOAT_EQ(vertex.boneWeights.x + vertex.boneWeights.y + vertex.boneWeights.z + vertex.boneWeights.w,
                    1.0f);
}

} // namespace
