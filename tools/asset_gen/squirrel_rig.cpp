#include "squirrel_rig.hpp"

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

namespace assetgen::squirrel {
namespace {

// Seconds the file stores per game second: the game plays file milliseconds as ticks at 20 per
// second, so one file second lasts 50 game seconds.
constexpr float fileSecondsPerGameSecond = 1.0f / 50.0f;
constexpr float liftModelUnits = 25.0f;

constexpr const char* boneNames[BoneCount] = {"Hips",  "Spine", "Chest", "Neck", "Head", "Jaw",  "Tail1",
                                              "Tail2", "Tail3", "Tail4", "ArmL", "ArmR", "LegL", "LegR"};

struct Angles {
    float pitch = 0.0f;  // degrees about z (the right axis): positive lifts the front
    float roll = 0.0f;   // degrees about x (forward): positive tips the top to the right
    float yaw = 0.0f;    // degrees about y
};

float wave(float phase) { return std::sin(glm::two_pi<float>() * phase); }

// One chew per 4 ticks: closed, open wide, half closed, closed.
float chew(float tick)
{
    const float steps[4] = {0.0f, 1.0f, 0.35f, 0.0f};
    const int i = int(std::floor(tick)) % 4;
    return steps[i];
}

// The pose of each bone at a tick of the loop (0..40): the tail sways as a wave from its root,
// the head bobs twice, the jaw chews ten times and the paws turn the nut with it.
Angles poseAt(Bone bone, float tick)
{
    const float t = tick / float(keysPerLoop);  // 0..1 around the loop
    Angles a;
    switch (bone) {
    case Spine: a.pitch = 1.5f * wave(2.0f * t); break;
    case Neck: a.pitch = 3.0f * wave(2.0f * t + 0.1f); break;
    case Head:
        a.pitch = -2.5f * chew(tick);
        a.yaw = 5.0f * wave(t);
        break;
    case Jaw: a.pitch = -13.0f * chew(tick); break;
    case ArmL:
    case ArmR: a.pitch = 4.0f * chew(tick) - 2.0f; break;
    case Tail1: a.roll = 6.0f * wave(t); break;
    case Tail2: a.roll = 8.0f * wave(t - 0.08f); a.pitch = 2.0f * wave(2.0f * t); break;
    case Tail3: a.roll = 10.0f * wave(t - 0.16f); a.pitch = 4.0f * wave(2.0f * t - 0.1f); break;
    case Tail4: a.roll = 13.0f * wave(t - 0.24f); a.pitch = 6.0f * wave(2.0f * t - 0.2f); break;
    default: break;
    }
    return a;
}

glm::mat4 rotation(const Angles& a)
{
    glm::mat4 r = glm::rotate(glm::mat4(1.0f), glm::radians(a.yaw), glm::vec3(0, 1, 0));
    r = glm::rotate(r, glm::radians(a.pitch), glm::vec3(0, 0, 1));
    return glm::rotate(r, glm::radians(a.roll), glm::vec3(1, 0, 0));
}

glm::mat4 restLocal(Bone bone)
{
    const int parent = parentOf(bone);
    const glm::vec3 from = parent < 0 ? glm::vec3(0.0f) : jointPosition(Bone(parent));
    return glm::translate(glm::mat4(1.0f), (jointPosition(bone) - from) / gameScale);
}

bool animated(Bone bone) { return bone != Hips && bone != LegL && bone != LegR; }

} // namespace

glm::vec3 jointPosition(Bone bone)
{
    // Modelled with the nose at x = 17; the shift puts it 6 units ahead of the origin, just short of
    // the point (7 ahead) where the game looks for a stone to gnaw.
    constexpr float shift = -11.0f;
    static const glm::vec3 at[BoneCount] = {
        {-4.0f, 12.0f, 0.0f},  {-2.0f, 19.0f, 0.0f},  {0.5f, 27.0f, 0.0f},   {2.5f, 34.0f, 0.0f}, {5.0f, 39.0f, 0.0f},
        {10.0f, 39.0f, 0.0f},  {-10.0f, 9.0f, 0.0f},  {-22.0f, 20.0f, 0.0f}, {-23.0f, 36.0f, 0.0f},
        {-15.0f, 49.0f, 0.0f}, {3.0f, 31.0f, -5.0f},  {3.0f, 31.0f, 5.0f},   {-4.0f, 9.0f, -6.5f}, {-4.0f, 9.0f, 6.5f}};
    return at[bone] + glm::vec3(shift, 0.0f, 0.0f);
}

int parentOf(Bone bone)
{
    static const int parents[BoneCount] = {-1, Hips, Spine, Chest, Neck, Head, Hips, Tail1, Tail2, Tail3, Chest, Chest, Hips, Hips};
    return parents[bone];
}

glm::mat4 uprightToMesh()
{
    const glm::mat4 lift = glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, liftModelUnits));
    return glm::rotate(lift, -glm::half_pi<float>(), glm::vec3(1, 0, 0));
}

Skeleton makeSkeleton()
{
    Skeleton s;
    s.rootName = "SquirrelRig";
    s.rootTransform = uprightToMesh();
    for (int k = 0; k <= keysPerLoop; ++k)
        s.keyTimes.push_back(float(k) / float(keysPerLoop) * loopSeconds * fileSecondsPerGameSecond);
    for (int b = 0; b < BoneCount; ++b) {
        Joint j;
        j.name = boneNames[b];
        j.parent = parentOf(Bone(b));
        j.bindLocal = restLocal(Bone(b));
        if (animated(Bone(b)))
            for (int k = 0; k <= keysPerLoop; ++k)  // the last key repeats the first: a seamless loop
                j.keys.push_back(j.bindLocal * rotation(poseAt(Bone(b), float(k % keysPerLoop))));
        s.joints.push_back(j);
    }
    return s;
}

} // namespace assetgen::squirrel
