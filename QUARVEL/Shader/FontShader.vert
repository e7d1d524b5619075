#version 330 core
// Text: one screen-space quad per glyph, (x, y) in pixels of the 1024 x 800 screen, (u, v) in the glyph.

layout(location = 0) in vec4 vertex;

uniform mat4 projection;

out vec2 glyphUv;

void main()
{
    gl_Position = projection * vec4(vertex.xy, 0.0, 1.0);
    glyphUv = vertex.zw;
}
