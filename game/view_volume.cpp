#include "game/view_volume.hpp"

#include <cmath>

namespace {
constexpr float aspect = 1.28f; // 1024 / 800, whatever the window size
constexpr float depthScale = -1.0010005f;  // near 10, far 20000
constexpr float depthOffset = -20.010006f;

glm::vec4 row(const glm::mat4& m, int i)
{
    return glm::vec4(m[0][i], m[1][i], m[2][i], m[3][i]);
}

glm::vec4 normalized(const glm::vec4& plane)
{
    return plane / glm::length(glm::vec3(plane));
}
} // namespace

glm::mat4 cameraProjection(float zoom)
{
    // Only the tangent is taken in double; the rest is float arithmetic.
    const float t = static_cast<float>(std::tan(static_cast<double>(zoom) * 0.5));
    glm::mat4 p(0.0f);
    p[0][0] = 1.0f / (t * aspect);
    p[1][1] = 1.0f / t;
    p[2][2] = depthScale;
    p[2][3] = -1.0f;
    p[3][2] = depthOffset;
    return p;
}

FrustumPlanes frustumPlanesOf(const glm::mat4& projView)
{
    const glm::vec4 r0 = row(projView, 0);
    const glm::vec4 r1 = row(projView, 1);
    const glm::vec4 r2 = row(projView, 2);
    const glm::vec4 r3 = row(projView, 3);
    return {normalized(r3 - r0), normalized(r3 + r0), normalized(r3 + r1),
            normalized(r3 - r1), normalized(r3 - r2), normalized(r3 + r2)};
}

bool isCulled(const FrustumPlanes& planes, const glm::vec3& point, float threshold)
{
    for (const glm::vec4& plane : planes) {
        if (glm::dot(glm::vec3(plane), point) + plane.w <= threshold)
            return true;
    }
    return false;
}
