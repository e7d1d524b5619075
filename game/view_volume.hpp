#pragma once
// The cameras' projection and the view volume's planes used to cull objects.

#include <glm/glm.hpp>

#include <array>

using FrustumPlanes = std::array<glm::vec4, 6>; // (a, b, c, d) with unit normals pointing inside

// Right-handed perspective with aspect 1.28, near 10 and far 20000. The zoom value is taken as radians,
// so the default 45 gives a vertical field of view of about 58.3 degrees.
glm::mat4 cameraProjection(float zoom);

// The six planes of projView = projection x view, in the order right, left, bottom, top, far, near.
FrustumPlanes frustumPlanesOf(const glm::mat4& projView);

// True when the point lies at or beyond threshold (world units, negative is outside) from any plane.
bool isCulled(const FrustumPlanes& planes, const glm::vec3& point, float threshold);
