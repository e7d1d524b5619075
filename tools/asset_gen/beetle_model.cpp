// The stag beetle: glossy dark shell, broad head with antler-like mandibles, six jointed legs.
// Model units (the game scales by 16): +x forward, y up, the feet on y = 0 around the origin.
// Every beetle is drawn twice a frame, so it is kept to a few hundred corners: the shell is three
// low domes whose details (wing seam, eyes, punctures) are painted in a top view of the body.
#include "noise.hpp"
#include "scene_models.hpp"
#include "shapes.hpp"

#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

namespace assetgen {
namespace {

// The painted top view covers x and z over this rectangle (model units).
constexpr glm::vec2 viewLow{-2.1f, -0.85f}, viewHigh{1.5f, 0.85f};

// Outlines of the three body parts seen from above: centre and half lengths along x and z.
struct Outline {
    glm::vec2 centre, half;
    float inside(glm::vec2 p) const  // below 1 inside
    {
        const glm::vec2 d = (p - centre) / half;
        return glm::length(d);
    }
};
constexpr Outline elytraOutline{{-0.8f, 0.0f}, {1.22f, 0.8f}};
constexpr Outline pronotumOutline{{0.56f, 0.0f}, {0.4f, 0.74f}};
constexpr Outline headOutline{{1.12f, 0.0f}, {0.3f, 0.58f}};

glm::vec2 topViewUv(glm::vec3 p) { return (glm::vec2(p.x, p.z) - viewLow) / (viewHigh - viewLow); }

// Where the legs and feelers take their colour: a corner of the view outside the body.
constexpr glm::vec2 limbUv{0.02f, 0.04f};

// A low dome over an outline: flat underside at base, a shoulder ring of the given width (share of
// the outline) and height, then a flat top there or a rounded crown rising to top.
Mesh dome(const Outline& o, int segments, float roundness, float base, float shoulder, float topWidth, float top)
{
    LatheOptions options;
    options.segments = segments;
    options.roundness = roundness;
    options.stretch = o.half;
    const std::vector<glm::vec2> profile{{0.0f, base}, {1.0f, base}, {topWidth, shoulder}, {0.0f, top}};
    Mesh m = lathe(profile, "beetle_shell", options);
    m.transform(glm::translate(glm::mat4(1.0f), glm::vec3(o.centre.x, 0.0f, o.centre.y)));
    for (Vertex& v : m.vertices())
        v.uv = topViewUv(v.position);
    return m;
}

// One mandible: a long curved horn with an inner tooth (side +1 left, -1 right).
void mandible(Mesh& jaws, float side)
{
    const std::vector<glm::vec3> horn{{1.3f, 0.68f, side * 0.34f},
                                      {1.82f, 0.92f, side * 0.64f},
                                      {2.26f, 1.06f, side * 0.5f},
                                      {2.52f, 1.02f, side * 0.14f}};
    float length = 0.0f;
    for (std::size_t i = 1; i < horn.size(); ++i)
        length += glm::length(horn[i] - horn[i - 1]);
    jaws.append(tube(horn, {0.13f, 0.11f, 0.07f, 0.012f}, "beetle_mandible", 4, 1.0f / length, TubeEnd::Open));
    const glm::vec3 base = glm::mix(horn[1], horn[2], 0.4f);  // the tooth, like the tine of an antler
    jaws.append(tube({base, base + glm::vec3(0.06f, 0.1f, -side * 0.22f)}, {0.06f, 0.0f}, "beetle_mandible", 3, 1.0f, TubeEnd::Open));
}

// A leg from under the body: thigh out and up to the knee, shin down to the foot on the ground.
Mesh leg(glm::vec3 hip, glm::vec3 knee, glm::vec3 foot)
{
    Mesh m = tube({hip, knee, foot}, {0.09f, 0.08f, 0.05f}, "beetle_shell", 3, 1.0f, TubeEnd::Open);
    for (Vertex& v : m.vertices())
        v.uv = limbUv;
    return m;
}

void legs(Mesh& body)
{
    struct LegPose {
        glm::vec3 hip, knee, foot;
    };
    const LegPose poses[] = {
        {{0.62f, 0.52f, 0.32f}, {1.0f, 0.7f, 0.9f}, {1.42f, 0.05f, 1.14f}},    // front
        {{0.05f, 0.5f, 0.42f}, {0.12f, 0.7f, 1.04f}, {0.28f, 0.05f, 1.36f}},   // middle
        {{-0.45f, 0.5f, 0.44f}, {-0.8f, 0.68f, 1.0f}, {-1.16f, 0.05f, 1.24f}}, // hind
    };
    for (float side : {1.0f, -1.0f})
        for (const LegPose& p : poses) {
            const glm::vec3 flip(1.0f, 1.0f, side);
            body.append(leg(p.hip * flip, p.knee * flip, p.foot * flip));
        }
}

void antennae(Mesh& body)
{
    for (float side : {1.0f, -1.0f}) {
        Mesh feeler = tube({{1.3f, 0.8f, side * 0.36f}, {1.44f, 1.0f, side * 0.6f}, {1.64f, 0.96f, side * 0.8f}},
                           {0.03f, 0.025f, 0.035f}, "beetle_shell", 3, 1.0f, TubeEnd::Open);
        for (Vertex& v : feeler.vertices())
            v.uv = limbUv;
        body.append(feeler);
    }
}

// The painted top view: wing cases split by a seam with rows of fine punctures, the smooth shield
// of the pronotum, the head with its eyes; the rest (legs, feelers) in the darkest brown.
glm::vec3 shellColour(glm::vec2 uv)
{
    const glm::vec2 p = viewLow + uv * (viewHigh - viewLow);
    const float mottle = fbm(uv * glm::vec2(8.0f, 4.0f), 8, 4, 461);
    glm::vec3 c = rgb255(26, 14, 9);
    const float e = elytraOutline.inside(p), t = pronotumOutline.inside(p), h = headOutline.inside(p);
    if (e < 1.05f) {
        c = glm::mix(rgb255(84, 40, 22), rgb255(40, 18, 10), mottle);
        c *= 0.75f + 0.35f * smoothstep(1.05f, 0.55f, e);  // the rim darker than the crown
        const float seam = smoothstep(0.035f, 0.012f, std::abs(p.y)) * smoothstep(0.45f, 0.3f, p.x + 0.0f);
        const float rows = 0.5f + 0.5f * std::cos(p.y * 38.0f);
        const float pits = smoothstep(0.12f, 0.04f, cellDistance(uv * glm::vec2(64.0f, 32.0f), 64, 462)) * rows;
        c *= (1.0f - 0.22f * pits) * (1.0f - 0.7f * seam);
    }
    if (t < 1.05f) {
        c = glm::mix(rgb255(62, 30, 18), rgb255(30, 14, 8), mottle) * (0.75f + 0.3f * smoothstep(1.05f, 0.5f, t));
        c *= 1.0f - 0.3f * smoothstep(0.02f, 0.008f, std::abs(p.y)) * smoothstep(0.9f, 0.6f, t);
    }
    if (h < 1.05f) {
        c = glm::mix(rgb255(56, 26, 16), rgb255(26, 12, 7), mottle) * (0.8f + 0.25f * smoothstep(1.05f, 0.4f, h));
        const float eye = glm::length((glm::vec2(p.x, std::abs(p.y)) - glm::vec2(1.2f, 0.46f)) / glm::vec2(0.09f, 0.08f));
        c = glm::mix(c, rgb255(10, 8, 6), smoothstep(1.0f, 0.8f, eye));
        c = glm::mix(c, rgb255(150, 130, 110), smoothstep(0.35f, 0.15f, eye) * 0.6f);  // glint
    }
    return c;
}

Material shellTexture() { return Material{"beetle_shell", paintImage(256, 128, shellColour), glm::vec3(1.0f), 64.0f}; }

Material mandibleTexture()
{
    return Material{"beetle_mandible", paintImage(128, 128, [](glm::vec2 uv) {
                        const float streak = fbm(glm::vec2(uv.x * 4.0f, uv.y * 16.0f), 4, 3, 471);
                        glm::vec3 c = glm::mix(rgb255(150, 62, 28), rgb255(84, 30, 14), streak);
                        return glm::mix(c, rgb255(40, 16, 8), smoothstep(0.6f, 1.0f, uv.y) * 0.7f);  // darker tips
                    }),
                    glm::vec3(1.0f), 64.0f};
}

} // namespace

AssetModel makeBeetle()
{
    AssetModel model("fathirsch");
    model.addMaterial(shellTexture());
    model.addMaterial(mandibleTexture());
    Mesh body("beetle_shell");
    body.append(dome(elytraOutline, 10, 2.3f, 0.52f, 0.98f, 0.68f, 1.12f));
    body.append(dome(pronotumOutline, 8, 2.8f, 0.56f, 0.92f, 0.74f, 0.92f));
    body.append(dome(headOutline, 8, 2.4f, 0.54f, 0.84f, 0.66f, 0.84f));
    legs(body);
    antennae(body);
    model.add(body);
    Mesh jaws("beetle_mandible");
    mandible(jaws, 1.0f);
    mandible(jaws, -1.0f);
    model.add(jaws);
    // Feet exactly on the ground.
    model.transform(glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, -model.bounds().min.y, 0.0f)));
    return model;
}

} // namespace assetgen
