// Camera vectors, view matrix and mouse look.

#include "game/camera.hpp"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

namespace {

void expectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance = 1e-5f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST(Camera, PlayerCameraLooksDownTowardPlusZ)
{
    const Camera camera({706.0f, 1500.0f, -550.0f}, {0.0f, 1.0f, 0.0f}, 90.0f, -50.0f);
    expectNear(camera.front, {0.0f, -0.76604444f, 0.64278761f});
    expectNear(camera.right, {-1.0f, 0.0f, 0.0f});
    expectNear(camera.up, {0.0f, 0.64278761f, 0.76604444f});
    EXPECT_FLOAT_EQ(camera.movementSpeed, 700.0f);
    EXPECT_FLOAT_EQ(camera.zoom, 45.0f);
    EXPECT_FALSE(camera.debugFlag);
}

TEST(Camera, LightCameraStraightDownKeepsUsableAxes)
{
    const Camera camera({700.0f, 1500.0f, 700.0f}, {0.0f, 1.0f, 0.0f}, 90.0f, -90.0f);
    expectNear(camera.front, {0.0f, -1.0f, 0.0f});
    expectNear(camera.right, {1.0f, 0.0f, 0.0f});
    expectNear(camera.up, {0.0f, 0.0f, -1.0f});
    EXPECT_FLOAT_EQ(camera.pitch, -90.0f); // not clamped at construction
}

TEST(Camera, ViewMatrixIsLookAtAlongFront)
{
    const Camera camera({706.0f, 1500.0f, -550.0f}, {0.0f, 1.0f, 0.0f}, 90.0f, -50.0f);
    const glm::mat4 expected = glm::lookAt(camera.position, camera.position + camera.front, camera.up);
    const glm::mat4 view = camera.viewMatrix();
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            EXPECT_FLOAT_EQ(view[c][r], expected[c][r]);
    // The eye maps to the origin.
    const glm::vec4 eye = view * glm::vec4(camera.position, 1.0f);
    expectNear(glm::vec3(eye), glm::vec3(0.0f), 1e-3f);
}

TEST(Camera, MouseLookScalesOffsetsBySensitivity)
{
    Camera camera({0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, 90.0f, 0.0f);
    camera.turn(4.0f, -8.0f);
    EXPECT_FLOAT_EQ(camera.yaw, 91.0f);
    EXPECT_FLOAT_EQ(camera.pitch, -2.0f);
    camera.turn(0.0f, 0.0f); // no creep when the mouse did not move
    EXPECT_FLOAT_EQ(camera.yaw, 91.0f);
    EXPECT_FLOAT_EQ(camera.pitch, -2.0f);
}

TEST(Camera, MouseLookClampsPitch)
{
    Camera camera({0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, 90.0f, -90.0f);
    camera.turn(0.0f, 0.0f);
    EXPECT_FLOAT_EQ(camera.pitch, -89.0f);
    camera.turn(0.0f, 10000.0f);
    EXPECT_FLOAT_EQ(camera.pitch, 89.0f);
    expectNear(camera.front, {0.0f, 0.9998477f, 0.0174524f}, 1e-4f);
}

} // namespace
