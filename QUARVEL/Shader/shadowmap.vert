#version 330 core
// Depth pass: the scene models' vertex transform, skinning included.

layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 texCoords;
layout(location = 3) in ivec4 boneIds;
layout(location = 4) in vec4 boneWeights;

const int maxBones = 60;

uniform mat4 bones[maxBones];
uniform mat4 model;
uniform mat4 view;
uniform mat4 projection;

// Weighted sum of the vertex's bone matrices; a vertex without influences keeps its mesh position.
mat4 skinMatrix()
{
    float total = boneWeights.x + boneWeights.y + boneWeights.z + boneWeights.w;
    if (total <= 0.0)
        return mat4(1.0);
    ivec4 ids = clamp(boneIds, 0, maxBones - 1);
    mat4 skin = boneWeights.x * bones[ids.x] + boneWeights.y * bones[ids.y] + boneWeights.z * bones[ids.z] +
                boneWeights.w * bones[ids.w];
    return skin / total;
}

void main()
{
    gl_Position = projection * view * model * skinMatrix() * vec4(position, 1.0);
}
