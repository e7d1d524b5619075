#version 330 core
// Scene models: skinning, then world and camera transforms. The shadow pass runs the same code with
// the light's camera in "projection" and "view".

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
uniform mat4 light_view;
uniform mat4 light_projection;

out vec3 worldPosition;
out vec3 worldNormal;
out vec2 uv;
out vec3 lightViewPosition;  // the point as the light's camera sees it
flat out int drawingShadowMap;

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
    mat4 world = model * skinMatrix();
    vec4 placed = world * vec4(position, 1.0);
    worldPosition = placed.xyz;
    // Normals take the inverse transpose (stones are scaled unevenly); the cofactor matrix is that up to
    // the determinant, and the fragment stage normalises anyway.
    mat3 m = mat3(world);
    mat3 cofactor = mat3(cross(m[1], m[2]), cross(m[2], m[0]), cross(m[0], m[1]));
    worldNormal = cofactor * normal * sign(dot(m[0], cofactor[0]));
    uv = texCoords;
    lightViewPosition = (light_view * placed).xyz;
    // Seen from the light's own camera (key 4) the depth map would only shadow the surfaces themselves.
    drawingShadowMap = (view == light_view && projection == light_projection) ? 1 : 0;
    gl_Position = projection * view * placed;
}
