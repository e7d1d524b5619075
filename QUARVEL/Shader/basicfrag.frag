#version 330 core
// Scene models: Phong lighting from one point light on the diffuse texture, with soft shadows
// from the light's depth map.

in vec3 worldPosition;
in vec3 worldNormal;
in vec2 uv;
in vec3 lightViewPosition;
flat in int drawingShadowMap;

out vec4 fragColor;

uniform sampler2D mat_texture_diffuse1;
uniform sampler2DShadow gShadowMap;

uniform vec3 light_ambient;
uniform vec3 light_diffuse;
uniform vec3 light_specular;
uniform vec3 mat_ambient;
uniform vec3 mat_diffuse;
uniform vec3 mat_specular;
uniform float mat_shininess;
uniform vec3 light_position;
uniform vec3 viewPos;
uniform mat4 light_projection;
uniform mat4 light_view;
// Set by stones and creatures; the textures carry every object's colours, so it does not tint.
uniform vec4 stone_color;

// Receiver offsets against shadow acne, in world units (one shadow texel is about 2 units on the ground).
// Surfaces facing the light get almost none, so shadows start right at the foot of what casts them.
const float constantBias = 1.0;
const float slopeBias = 2.5;     // times the tangent of the angle to the light
const float maxSlopeBias = 20.0;
const float normalOffset = 4.0;  // along the normal, grows as the surface turns away from the light
const float filterRadius = 1.6;  // shadow texels

// Percentage-closer filtering: four taps on a square around the point, each itself a bilinear 2 x 2
// comparison (the depth texture filters linearly), so edges fade over about three texels. Every tap
// costs the same on every pixel of a software rasteriser (it runs both sides of a branch), so there
// are few of them and no branches to skip them.
const int taps = 4;
const vec2 disk[taps] = vec2[](vec2(-0.7, -0.7), vec2(0.7, -0.7), vec2(-0.7, 0.7), vec2(0.7, 0.7));

// Fraction of the light that reaches this point: 1 lit, 0 in full shadow, soft at the edges.
float lightVisibility(vec3 n, vec3 toLight, float cosTheta)
{
    if (drawingShadowMap != 0)
        return 1.0; // the depth map being drawn must not be read
    float tangent = sqrt(max(1.0 - cosTheta * cosTheta, 0.0)) / max(cosTheta, 0.01);
    float bias = constantBias + min(slopeBias * tangent, maxSlopeBias);
    vec3 offset = toLight * bias + n * normalOffset * (1.0 - cosTheta);
    vec3 receiver = lightViewPosition + mat3(light_view) * offset;

    vec4 clip = light_projection * vec4(receiver, 1.0);
    if (clip.w <= 0.0)
        return 1.0;
    vec3 coords = clip.xyz / clip.w * 0.5 + 0.5;
    if (any(lessThan(coords, vec3(0.0))) || any(greaterThan(coords, vec3(1.0))))
        return 1.0;

    vec2 texel = filterRadius / vec2(textureSize(gShadowMap, 0));
    float lit = 0.0;
    for (int i = 0; i < taps; ++i)
        lit += texture(gShadowMap, vec3(coords.xy + disk[i] * texel, coords.z));
    return lit / float(taps);
}

// Extended Reinhard: the full light (ambient + diffuse) maps to 1, the ambient alone to about half.
vec3 toneMap(vec3 light, vec3 white)
{
    vec3 w2 = max(white * white, vec3(1e-4));
    return light * (1.0 + light / w2) / (1.0 + light);
}

vec3 shadedColour()
{
    vec3 n = normalize(worldNormal);
    vec3 toLight = normalize(light_position - worldPosition);
    vec3 toEye = normalize(viewPos - worldPosition);
    float cosTheta = dot(n, toLight);

    float visibility = cosTheta > 0.0 ? lightVisibility(n, toLight, cosTheta) : 0.0;
    float diffuse = max(cosTheta, 0.0) * visibility;
    float specular = 0.0;
    if (diffuse > 0.0)
        specular = pow(max(dot(toEye, reflect(-toLight, n)), 0.0), max(mat_shininess, 1.0)) * visibility;

    vec3 albedo = texture(mat_texture_diffuse1, uv).rgb;
    vec3 light = toneMap(light_ambient + light_diffuse * diffuse, light_ambient + light_diffuse);
    vec3 highlight = 0.5 * light_specular * mat_specular * specular;
    return clamp(albedo * light + highlight, 0.0, 1.0);
}

void main()
{
    fragColor = vec4(shadedColour(), 1.0);
}
