#version 330 core
// Text: the glyph's coverage (red channel of the texture on unit 0) becomes the alpha of the colour.

in vec2 glyphUv;

out vec4 fragColor;

uniform sampler2D glyph;
uniform vec3 textColor;

void main()
{
    fragColor = vec4(textColor, texture(glyph, glyphUv).r);
}
