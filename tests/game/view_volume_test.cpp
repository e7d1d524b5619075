// Projection of the cameras and frustum culling.

#include "game/camera.hpp"
#include "game/view_volume.hpp"

#include <gtest/gtest.h>

namespace {

TEST(ViewVolume, ProjectionTakesTheZoomAsRadians)
{
    const glm::mat4 p = cameraProjection(45.0f);
    // tan(22.5 rad) = 0.55785173 in double, then float arithmetic: 1 / (t x 1.28) and 1 / t.
    EXPECT_EQ(p[0][0], 1.40046179f);
    EXPECT_EQ(p[1][1], 1.79259098f);
    EXPECT_FLOAT_EQ(p[2][2], -1.0010005f);
    EXPECT_FLOAT_EQ(p[2][3], -1.0f);
    EXPECT_FLOAT_EQ(p[3][2], -20.010006f);
    int zeros = 0;
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            zeros += p[c][r] == 0.0f;
    EXPECT_EQ(zeros, 11);
}

TEST(ViewVolume, PlanesAreNormalisedAndContainTheViewedPoint)
{
    const Camera player({706.0f, 1500.0f, -550.0f}, {0.0f, 1.0f, 0.0f}, 90.0f, -50.0f);
    const FrustumPlanes planes = frustumPlanesOf(cameraProjection(player.zoom) * player.viewMatrix());
    for (const glm::vec4& plane : planes)
        EXPECT_NEAR(glm::length(glm::vec3(plane)), 1.0f, 1e-5f);
    // The far plane's normal looks back along the view, the near plane's along it.
    EXPECT_NEAR(glm::dot(glm::vec3(planes[5]), player.front), 1.0f, 1e-4f);
    EXPECT_NEAR(glm::dot(glm::vec3(planes[4]), player.front), -1.0f, 1e-4f);
    // The near plane lies 10 units ahead of the eye.
    EXPECT_NEAR(glm::dot(glm::vec3(planes[5]), player.position) + planes[5].w, -10.0f, 0.05f);

    EXPECT_FALSE(isCulled(planes, {700.0f, 1.0f, 700.0f}, -100.0f)); // the chest
    EXPECT_TRUE(isCulled(planes, {706.0f, 1500.0f, -2000.0f}, -100.0f)); // behind the eye
}

TEST(ViewVolume, CullingThresholdIsInclusive)
{
    FrustumPlanes planes;
    planes.fill(glm::vec4(0.0f, 1.0f, 0.0f, 1.0e6f)); // far away
    planes[2] = glm::vec4(1.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_TRUE(isCulled(planes, {-150.0f, 0.0f, 0.0f}, -150.0f));
    EXPECT_FALSE(isCulled(planes, {-149.9f, 0.0f, 0.0f}, -150.0f));
    EXPECT_FALSE(isCulled(planes, {-99.0f, 0.0f, 0.0f}, -100.0f));
}

TEST(ViewVolume, LightCameraSeesTheWholeFieldFromAbove)
{
    const Camera light({700.0f, 1500.0f, 700.0f}, {0.0f, 1.0f, 0.0f}, 90.0f, -90.0f);
    const FrustumPlanes planes = frustumPlanesOf(cameraProjection(light.zoom) * light.viewMatrix());
    for (float x : {0.0f, 1400.0f})
        for (float z : {0.0f, 1400.0f})
            EXPECT_FALSE(isCulled(planes, {x, 0.0f, z}, -150.0f)) << x << " " << z;
}

} // namespace
