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

mat4 skinMatrix()
{
    float total = boneWeights.x + boneWeights.y + boneWeights.z + boneWeights.w;
    if (total <= 0.0)
        return mat4(1.0);
    mat4 skin = mat4(0.0);
    for (int i = 0; i < 4; ++i)
        skin += boneWeights[i] * bones[clamp(boneIds[i], 0, maxBones - 1)];
    return skin / total;
}

void main()
{
    gl_Position = projection * view * model * skinMatrix() * vec4(position, 1.0);
}
