#pragma once
// The squirrel's skeleton and its gnawing loop. Positions are in the upright frame the squirrel is
// modelled in: x forward, y up, z to its right, world units at the game's scale of 7 (60 tall).

#include "skinned_model.hpp"

namespace assetgen::squirrel {

enum Bone { Hips, Spine, Chest, Neck, Head, Jaw, Tail1, Tail2, Tail3, Tail4, ArmL, ArmR, LegL, LegR, BoneCount };

constexpr float gameScale = 7.0f;       // the game scales the squirrel by 7
constexpr float loopSeconds = 2.0f;     // in game time
constexpr int keysPerLoop = 40;         // one key per tick of the game's 20-tick clock

// Where the bone's joint sits in the upright frame.
glm::vec3 jointPosition(Bone bone);
int parentOf(Bone bone);

// From the upright frame (world units at scale 7) to the file's mesh frame. The game draws the
// squirrel lifted by 25 model units and turned +90 degrees about x, so the mesh is authored with
// y' = z, z' = 25 - y (a -90 degree turn about x and a shift of 25), in model units.
glm::mat4 uprightToMesh();

// Skeleton with bind pose and the loop's keys, rooted in a node that carries uprightToMesh.
Skeleton makeSkeleton();

} // namespace assetgen::squirrel
