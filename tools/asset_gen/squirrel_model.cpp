// The squirrel: sitting up on its haunches, an acorn in its paws at its mouth, the bushy tail curled
// up behind. Built in the upright frame of squirrel_rig.hpp (world units at the game's scale),
// skinned to its bones, and stored in the file's mesh frame.
#include "squirrel_model.hpp"
#include "noise.hpp"
#include "shapes.hpp"
#include "squirrel_rig.hpp"
#include "squirrel_texture.hpp"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <cmath>
#include <functional>

namespace assetgen {
namespace {

using namespace squirrel;

constexpr float noseShift = -11.0f;  // the joints' shift: modelled with the nose at 17, stored at 6
const std::string fur = "squirrel_fur";

// Texture atlas regions (u0, v0, u1, v1) of squirrel_fur.png, as painted by squirrelTexture().
constexpr glm::vec4 bodyRegion{0.0f, 0.5f, 0.5f, 1.0f};  // back fur to belly cream across u
constexpr glm::vec4 tailRegion{0.5f, 0.5f, 1.0f, 1.0f};
constexpr glm::vec4 darkRegion{0.0f, 0.25f, 0.25f, 0.5f};  // eyes, nose
constexpr glm::vec4 nutRegion{0.25f, 0.25f, 0.5f, 0.5f};
constexpr glm::vec4 capRegion{0.5f, 0.25f, 0.75f, 0.5f};
constexpr glm::vec4 paleRegion{0.75f, 0.25f, 1.0f, 0.5f};  // paws, ear insides, eye glints

using WeightRule = std::function<VertexWeights(glm::vec3)>;
using UvRule = std::function<glm::vec2(const Vertex&)>;

glm::vec2 inRegion(const glm::vec4& r, glm::vec2 local)
{
    constexpr float margin = 0.06f;  // keeps mipmaps from bleeding across regions
    const glm::vec2 l = glm::clamp(local, 0.0f, 1.0f) * (1.0f - 2.0f * margin) + margin;
    return {r.x + (r.z - r.x) * l.x, r.y + (r.w - r.y) * l.y};
}

VertexWeights only(Bone b)
{
    VertexWeights w;
    w.bones[0] = b;
    w.weights[0] = 1.0f;
    return w;
}

VertexWeights blend(Bone a, Bone b, float towardB)
{
    if (towardB <= 0.0f || a == b)
        return only(a);
    if (towardB >= 1.0f)
        return only(b);
    VertexWeights w;
    w.bones = {a, b, 0, 0};
    w.weights = {1.0f - towardB, towardB, 0.0f, 0.0f};
    return w;
}

// Weights along a chain of bones: each bone owns the stretch from its joint to the next (the last one
// up to end); the two neighbours share around a joint, half and half at the joint itself.
WeightRule chain(std::vector<Bone> bones, glm::vec3 end)
{
    return [bones, end](glm::vec3 p) {
        std::vector<glm::vec3> points;
        for (Bone b : bones)
            points.push_back(jointPosition(b));
        points.push_back(end);
        float best = 1e30f, along = 0.0f;
        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
            const glm::vec3 d = points[i + 1] - points[i];
            const float t = std::clamp(glm::dot(p - points[i], d) / glm::dot(d, d), 0.0f, 1.0f);
            const float distance = glm::length(points[i] + d * t - p);
            if (distance < best) {
                best = distance;
                along = float(i) + t;
            }
        }
        const float fromMiddle = along - 0.5f;
        const int k = int(std::floor(fromMiddle));
        if (k < 0)
            return only(bones.front());
        if (k + 1 >= int(bones.size()))
            return only(bones.back());
        return blend(bones[k], bones[k + 1], fromMiddle - float(k));
    };
}

WeightRule fixed(Bone b)
{
    return [b](glm::vec3) { return only(b); };
}

class SquirrelBuilder {
public:
    explicit SquirrelBuilder(SkinnedModel& model) : model_(model) {}

    // Adds a part modelled in the upright frame (before the nose shift), with its weights and
    // texture coordinates; weights are taken where the part ends up.
    void add(Mesh mesh, const WeightRule& weights, const glm::vec4& region, const UvRule& uv)
    {
        for (Vertex& v : mesh.vertices()) {
            v.uv = inRegion(region, uv(v));
            v.position.x += noseShift;
            model_.weights.push_back(weights(v.position));
        }
        mesh.setMaterial(fur);
        model_.mesh.append(mesh);
    }

private:
    SkinnedModel& model_;
};

// Back fur, and belly cream where the surface faces forward below the chin.
UvRule bodyUv(float bellyFrom)
{
    return [bellyFrom](const Vertex& v) {
        const float belly = smoothstep(bellyFrom, bellyFrom + 0.5f, v.normal.x) * smoothstep(38.0f, 30.0f, v.position.y);
        return glm::vec2(0.05f + 0.9f * belly, v.position.y / 60.0f);
    };
}

UvRule flat(glm::vec2 at)
{
    return [at](const Vertex&) { return at; };
}

// Scruffy fur: the surface pushed in and out a little by noise.
void fluff(Mesh& m, float amount, float scale, uint32_t seed)
{
    for (Vertex& v : m.vertices())
        v.position += v.normal * amount * (valueNoise3(v.position * scale, seed) - 0.5f);
}

void addBody(SquirrelBuilder& b)
{
    Mesh trunk = smoothTube({{-5.0f, 4.5f, 0}, {-4.5f, 11.0f, 0}, {-2.5f, 18.0f, 0}, {0.0f, 25.0f, 0}, {2.2f, 31.0f, 0},
                             {3.8f, 35.5f, 0}, {5.0f, 38.5f, 0}},
                            {4.0f, 8.6f, 8.4f, 7.4f, 5.8f, 4.8f, 4.2f}, fur, 8, 1);
    warp(trunk, [](glm::vec3 p) { return glm::vec3(p.x, p.y, p.z * (1.0f + 0.12f * smoothstep(22.0f, 8.0f, p.y))); });
    fluff(trunk, 0.6f, 0.4f, 701);
    b.add(trunk, chain({Hips, Spine, Chest, Neck}, jointPosition(Head)), bodyRegion, bodyUv(0.1f));
}

void addLegs(SquirrelBuilder& b)
{
    for (float side : {-1.0f, 1.0f}) {
        const Bone leg = side < 0 ? LegL : LegR;
        Mesh haunch = ellipsoid({-3.0f, 8.5f, side * 6.0f}, {7.8f, 7.2f, 4.4f}, fur, 8, 4);
        fluff(haunch, 0.5f, 0.4f, 702);
        b.add(haunch, [leg](glm::vec3 p) { return blend(Hips, leg, smoothstep(13.0f, 6.0f, p.y)); }, bodyRegion, bodyUv(2.0f));
        Mesh foot = ellipsoid({1.6f, 1.6f, side * 7.0f}, {7.0f, 1.6f, 2.6f}, fur, 6, 3);
        b.add(foot, fixed(leg), bodyRegion, flat({0.2f, 0.05f}));
    }
}

void addHead(SquirrelBuilder& b)
{
    Mesh skull = ellipsoid({6.0f, 42.5f, 0.0f}, {7.6f, 7.0f, 6.2f}, fur, 8, 5);
    fluff(skull, 0.4f, 0.5f, 703);
    b.add(skull, fixed(Head), bodyRegion, bodyUv(0.5f));
    b.add(ellipsoid({11.5f, 40.8f, 0.0f}, {5.2f, 3.8f, 3.6f}, fur, 8, 4), fixed(Head), bodyRegion, bodyUv(0.55f));
    for (float side : {-1.0f, 1.0f})  // cheeks, puffed with food
        b.add(ellipsoid({9.6f, 39.6f, side * 3.0f}, {3.8f, 3.2f, 2.6f}, fur, 6, 3), fixed(Head), bodyRegion, flat({0.8f, 0.62f}));
    b.add(ellipsoid({11.6f, 37.7f, 0.0f}, {3.6f, 1.8f, 2.6f}, fur, 6, 3), fixed(Jaw), bodyRegion, flat({0.9f, 0.6f}));
    b.add(ellipsoid({16.3f, 41.4f, 0.0f}, {1.1f, 0.9f, 1.3f}, fur, 4, 2), fixed(Head), darkRegion, flat({0.5f, 0.5f}));
    for (float side : {-1.0f, 1.0f}) {
        b.add(ellipsoid({10.6f, 44.2f, side * 4.2f}, {1.5f, 1.8f, 1.2f}, fur, 6, 3), fixed(Head), darkRegion, flat({0.5f, 0.5f}));
        // Ears with tufts at their tips.
        Mesh ear = tube({{3.6f, 47.0f, side * 3.2f}, {3.1f, 51.0f, side * 3.9f}, {2.4f, 54.5f, side * 4.5f}}, {2.3f, 1.6f, 0.4f}, fur, 5,
                        1.0f, TubeEnd::Open);
        b.add(ear, fixed(Head), bodyRegion, flat({0.1f, 0.85f}));
        b.add(tube({{2.4f, 54.0f, side * 4.5f}, {2.0f, 56.5f, side * 4.9f}, {1.2f, 58.2f, side * 5.0f}}, {0.7f, 0.5f, 0.0f}, fur, 3,
                   1.0f, TubeEnd::Open),
              fixed(Head), bodyRegion, flat({0.05f, 0.95f}));
    }
}

void addArmsAndNut(SquirrelBuilder& b)
{
    for (float side : {-1.0f, 1.0f}) {
        const Bone arm = side < 0 ? ArmL : ArmR;
        Mesh limb = tube({{3.0f, 31.5f, side * 4.6f}, {6.8f, 28.0f, side * 5.6f}, {10.6f, 33.6f, side * 3.6f}}, {2.6f, 2.1f, 1.5f},
                         fur, 6, 1.0f, TubeEnd::Open);
        b.add(limb, [arm](glm::vec3 p) { return blend(Chest, arm, smoothstep(-10.0f, -7.0f, p.x)); }, bodyRegion, bodyUv(2.0f));
        b.add(ellipsoid({11.6f, 34.9f, side * 2.8f}, {1.8f, 1.5f, 1.3f}, fur, 5, 3), fixed(arm), paleRegion, flat({0.4f, 0.4f}));
    }
    const WeightRule held = [](glm::vec3) {  // held in both paws
        VertexWeights w;
        w.bones = {ArmL, ArmR, 0, 0};
        w.weights = {0.5f, 0.5f, 0.0f, 0.0f};
        return w;
    };
    const glm::mat4 tilt = glm::rotate(glm::translate(glm::mat4(1.0f), glm::vec3(13.9f, 36.2f, 0.0f)), -0.35f, glm::vec3(0, 0, 1));
    LatheOptions o;
    o.segments = 7;
    Mesh nut = lathe({{0.0f, -2.9f}, {1.5f, -2.2f}, {2.2f, -0.4f}, {1.9f, 1.2f}}, fur, o);
    b.add(transformed(nut, tilt), held, nutRegion, [](const Vertex& v) { return v.uv; });
    Mesh cap = lathe({{1.7f, 0.8f}, {2.35f, 1.2f}, {1.6f, 2.3f}, {0.0f, 2.7f}}, fur, o);
    b.add(transformed(cap, tilt), held, capRegion, [](const Vertex& v) { return v.uv; });
    b.add(transformed(tube({{0, 2.6f, 0}, {0.2f, 3.5f, 0}}, {0.3f, 0.25f}, fur, 3, 1.0f, TubeEnd::Flat), tilt), held, capRegion,
          flat({0.5f, 0.5f}));
}

void addTail(SquirrelBuilder& b)
{
    const std::vector<glm::vec3> line{{-9.0f, 8.0f, 0}, {-17.5f, 12.5f, 0}, {-23.5f, 23.0f, 0}, {-24.0f, 36.0f, 0},
                                      {-19.0f, 46.5f, 0}, {-11.5f, 51.5f, 0}, {-6.0f, 50.5f, 0}, {-4.0f, 46.5f, 0}};
    Mesh tail = smoothTube(line, {3.2f, 6.0f, 7.8f, 8.4f, 7.8f, 6.4f, 4.6f, 2.4f}, fur, 8, 2, 1.0f / 90.0f);
    fluff(tail, 1.6f, 0.35f, 704);
    b.add(tail, chain({Tail1, Tail2, Tail3, Tail4}, glm::vec3(-4.0f + noseShift, 46.5f, 0.0f)), tailRegion,
          [](const Vertex& v) { return glm::vec2(v.uv.x, v.uv.y); });
}

} // namespace

SkinnedModel makeSquirrel()
{
    SkinnedModel model;
    model.name = "bakedsq";
    model.material = squirrelTexture();
    model.mesh.setMaterial(model.material.name);
    model.skeleton = makeSkeleton();
    SquirrelBuilder builder(model);
    addBody(builder);
    addLegs(builder);
    addHead(builder);
    addArmsAndNut(builder);
    addTail(builder);
    // Upright frame (world units at scale 7) to the file's mesh frame.
    model.mesh.transform(uprightToMesh() * glm::scale(glm::mat4(1.0f), glm::vec3(1.0f / gameScale)));
    return model;
}

} // namespace assetgen
