#version 330 core
// Scene models without bones: the scene vertex stage with the skinning left out. A mesh without
// influences skins to the identity there, so every output here is the same, bit for bit.

layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 texCoords;

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

void main()
{
    mat4 world = model;
    vec4 placed = world * vec4(position, 1.0);
    worldPosition = placed.xyz;
    // Normals take the inverse transpose (stones are scaled unevenly); the cofactor matrix is that up to
    // the determinant, and the fragment stage normalises anyway.
    mat3 m = mat3(world);
    mat3 cofactor = mat3(cross(m[1], m[2]), cross(m[2], m[0]), cross(m[0], m[1]));
    worldNormal = cofactor * normal * sign(dot(m[0], cofactor[0]));
    uv = texCoords;
    lightViewPosition = (light_view * placed).xyz;
    drawingShadowMap = (view == light_view && projection == light_projection) ? 1 : 0;
    gl_Position = projection * view * placed;
}
