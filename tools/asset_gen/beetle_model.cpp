// The stag beetle: glossy dark shell, broad head with antler-like mandibles, six jointed legs.
// Model units (the game scales by 16): +x forward, y up, the feet on y = 0 around the origin.
#include "nature_textures.hpp"
#include "scene_models.hpp"
#include "shapes.hpp"

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

namespace assetgen {
namespace {

constexpr float legRadius = 0.075f;

// Elytra: a long dome split by a seam down the back, with a slight ridge either side.
Mesh shell()
{
    Mesh m = ellipsoid({-0.8f, 0.72f, 0.0f}, {1.22f, 0.4f, 0.78f}, "beetle_shell", 24, 14);
    warp(m, [](glm::vec3 p) {
        const float side = std::abs(p.z) / 0.7f;
        const float seam = 0.03f * std::exp(-std::pow(p.z / 0.04f, 2.0f));
        const float ridge = 0.02f * std::exp(-std::pow((side - 0.45f) / 0.12f, 2.0f));
        const float flatBelly = p.y < 0.6f ? (0.6f - p.y) * 0.35f : 0.0f;
        return glm::vec3(p.x, p.y - seam + ridge + flatBelly, p.z);
    });
    return m;
}

Mesh thorax()
{
    Mesh m = ellipsoid({0.58f, 0.76f, 0.0f}, {0.4f, 0.3f, 0.74f}, "beetle_shell", 20, 10);
    warp(m, [](glm::vec3 p) {  // squarer shield with a rim at the sides
        const float side = std::abs(p.z) / 0.74f;
        return glm::vec3(p.x, p.y + 0.05f * side * side, p.z * (1.0f + 0.06f * (1.0f - side)));
    });
    return m;
}

Mesh head()
{
    Mesh m = ellipsoid({1.12f, 0.72f, 0.0f}, {0.32f, 0.22f, 0.6f}, "beetle_shell", 18, 9);
    warp(m, [](glm::vec3 p) {  // a wide, flat head with a brow over the jaws
        return glm::vec3(p.x + 0.1f * std::pow(std::abs(p.z) / 0.6f, 2.0f), p.y, p.z);
    });
    return m;
}

// One mandible: a long curved horn with an inner tooth and a forked tip (side +1 left, -1 right).
void mandible(Mesh& jaws, float side)
{
    const std::vector<glm::vec3> horn = smoothPath({{1.3f, 0.7f, side * 0.34f},
                                                    {1.65f, 0.86f, side * 0.6f},
                                                    {2.05f, 1.02f, side * 0.62f},
                                                    {2.35f, 1.08f, side * 0.42f},
                                                    {2.5f, 1.04f, side * 0.18f}},
                                                   5);
    std::vector<float> radii;
    for (std::size_t i = 0; i < horn.size(); ++i)
        radii.push_back(0.14f - 0.11f * float(i) / float(horn.size() - 1));
    jaws.append(tube(horn, radii, "beetle_mandible", 8, 1.5f));
    for (float at : {0.45f, 0.62f}) {  // inner teeth, like the tines of an antler
        const glm::vec3 base = horn[std::size_t(at * float(horn.size() - 1))];
        jaws.append(tube({base, base + glm::vec3(0.04f, 0.08f, -side * 0.2f)}, {0.055f, 0.012f}, "beetle_mandible", 6, 2.0f));
    }
    const glm::vec3 fork = horn[horn.size() * 4 / 5];
    jaws.append(tube({fork, fork + glm::vec3(0.1f, 0.16f, -side * 0.04f)}, {0.045f, 0.012f}, "beetle_mandible", 6, 2.0f));
}

// A leg from the body: thigh out and up to the knee, shin down to the foot on the ground, a short
// jointed foot along the ground.
Mesh leg(glm::vec3 hip, glm::vec3 knee, glm::vec3 foot, glm::vec3 toe)
{
    Mesh m("beetle_shell");
    m.append(tube(smoothPath({hip, glm::mix(hip, knee, 0.5f) + glm::vec3(0, 0.04f, 0), knee}, 3),
                  std::vector<float>(7, legRadius * 1.2f), "beetle_shell", 7, 1.0f));
    const glm::vec3 ankle = foot + glm::vec3(0, legRadius * 0.6f, 0);
    m.append(tube({knee, glm::mix(knee, ankle, 0.5f), ankle}, {legRadius, legRadius * 0.9f, legRadius * 0.6f}, "beetle_shell", 7, 1.0f));
    m.append(tube({ankle, glm::mix(ankle, toe, 0.5f) + glm::vec3(0, 0.01f, 0), toe + glm::vec3(0, legRadius * 0.45f, 0)},
                  {legRadius * 0.6f, legRadius * 0.5f, legRadius * 0.45f}, "beetle_shell", 6, 1.0f));
    return m;
}

void legs(Mesh& body)
{
    struct LegPose {
        glm::vec3 hip, knee, foot, toe;
    };
    const LegPose poses[] = {
        {{0.62f, 0.52f, 0.32f}, {0.98f, 0.66f, 0.86f}, {1.28f, 0.0f, 1.08f}, {1.5f, 0.0f, 1.16f}},     // front
        {{0.05f, 0.5f, 0.42f}, {0.12f, 0.66f, 1.0f}, {0.2f, 0.0f, 1.26f}, {0.32f, 0.0f, 1.42f}},       // middle
        {{-0.45f, 0.5f, 0.44f}, {-0.78f, 0.64f, 0.98f}, {-1.02f, 0.0f, 1.18f}, {-1.24f, 0.0f, 1.28f}}, // hind
    };
    for (float side : {1.0f, -1.0f})
        for (const LegPose& p : poses) {
            const glm::vec3 flip(1.0f, 1.0f, side);
            body.append(leg(p.hip * flip, p.knee * flip, p.foot * flip, p.toe * flip));
        }
}

void antennae(Mesh& body)
{
    for (float side : {1.0f, -1.0f}) {
        const glm::vec3 base(1.3f, 0.82f, side * 0.36f), elbow(1.42f, 1.02f, side * 0.6f), tip(1.62f, 0.98f, side * 0.78f);
        body.append(tube({base, elbow}, {0.028f, 0.024f}, "beetle_shell", 5, 2.0f));
        body.append(tube({elbow, tip}, {0.022f, 0.02f}, "beetle_shell", 5, 2.0f));
        body.append(ellipsoid(tip + glm::vec3(0.03f, 0, side * 0.02f), {0.06f, 0.03f, 0.04f}, "beetle_shell", 8, 4));
    }
}

} // namespace

AssetModel makeBeetle()
{
    AssetModel model("fathirsch");
    model.addMaterial(beetleShellTexture());
    model.addMaterial(beetleMandibleTexture());
    Mesh body("beetle_shell");
    body.append(shell());
    body.append(thorax());
    body.append(head());
    for (float side : {1.0f, -1.0f})  // eyes bulging at the head's sides
        body.append(ellipsoid({1.18f, 0.78f, side * 0.47f}, {0.08f, 0.08f, 0.06f}, "beetle_shell", 10, 5));
    legs(body);
    antennae(body);
    model.add(body);
    Mesh jaws("beetle_mandible");
    mandible(jaws, 1.0f);
    mandible(jaws, -1.0f);
    model.add(jaws);
    return model;
}

} // namespace assetgen
