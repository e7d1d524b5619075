#version 330 core
// Particles: camera-facing squares around each particle's centre.

layout(location = 0) in vec3 corner;          // (+-0.5, +-0.5, 0)
layout(location = 1) in vec4 centreAndSize;   // world position, size
layout(location = 2) in vec4 colour;

uniform vec3 CameraRight_worldspace;
uniform vec3 CameraUp_worldspace;
uniform mat4 projection;
uniform mat4 view;

// A particle's size is a fraction of this edge length, in world units (a cell is 100).
const float sizeScale = 40.0;

out vec2 fromCentre;
out vec4 particleColour;

void main()
{
    float edge = centreAndSize.w * sizeScale;
    vec3 world = centreAndSize.xyz + CameraRight_worldspace * corner.x * edge + CameraUp_worldspace * corner.y * edge;
    gl_Position = projection * view * vec4(world, 1.0);
    fromCentre = corner.xy * 2.0;
    particleColour = colour;
}
