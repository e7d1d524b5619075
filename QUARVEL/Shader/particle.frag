#version 330 core
// Particles: soft round dots, opaque in the middle and fading to nothing at the rim.

in vec2 fromCentre;   // -1..1 across the square
in vec4 particleColour;

out vec4 fragColor;

void main()
{
    float r2 = dot(fromCentre, fromCentre);
    float falloff = 1.0 - smoothstep(0.0, 1.0, r2);
    if (falloff <= 0.0)
        discard;
    fragColor = vec4(particleColour.rgb, particleColour.a * falloff);
}
