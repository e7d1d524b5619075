#version 330 core
// Depth pass: only the depth matters in the light's depth map. Drawn on screen (key 2) the same program
// shows that depth as grey, near white and far dark, instead of leaving the colours undefined.

out vec4 fragColor;

const float near = 10.0;     // the cameras' clip planes, world units
const float far = 20000.0;
const float shownRange = 3000.0; // distance that fades to black

void main()
{
    float ndc = gl_FragCoord.z * 2.0 - 1.0;
    float distance = 2.0 * near * far / (far + near - ndc * (far - near));
    fragColor = vec4(vec3(1.0 - clamp(distance / shownRange, 0.0, 1.0)), 1.0);
}
