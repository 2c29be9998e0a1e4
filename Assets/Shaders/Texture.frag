#version 330 core
// Lit sprites: ambient light plus point and cone lights, with optional normal and specular maps. The scene's 3D
// space is the world plane with depth along +z (the sprite's zPos); the viewer sits at the camera position, on the
// -z side. The engine builds variants of this program: LIGHT_SLOTS lights are unrolled (the ones that reach the
// sprite, by index into the lighting block), and HAS_NORMAL_MAP and HAS_SPECULAR_MAP switch the maps on. A
// software rasteriser runs every branch of a program, so work a sprite does not need is left out at compile time.

#ifndef LIGHT_SLOTS
#define LIGHT_SLOTS 0
#endif
#if defined(HAS_NORMAL_MAP) || defined(HAS_SPECULAR_MAP)
#define HAS_HIGHLIGHTS 1
#endif

in vec2 uv;
in vec2 worldPosition;
flat in vec4 tint;      // rgb tint, opacity
flat in vec4 material;  // zPos, diffuse, specular, shininess
flat in vec4 worldAxes; // right.xy, up.xy
flat in uvec4 slotsLow;
flat in uvec4 slotsHigh;

out vec4 fragColor;

struct Light
{
    vec4 positionLinear;  // position, linear attenuation
    vec4 colorQuadratic;  // colour scaled by the intensity, quadratic attenuation
    vec4 axisAngle;       // cone axis (unit length), cosine of the cone's half angle (1 or more: every direction)
    vec4 constantBidirEdge; // constant attenuation, cone opens both ways (0 or 1), soft part of the cone's edge
};

layout(std140) uniform SceneLighting
{
    vec4 ambient;
    vec4 cameraPosition;
    Light lights[255]; // lights[0] lights nothing
};

uniform sampler2D tex;
uniform sampler2D normalMap;
uniform sampler2D specularMap;

uint SlotLight(int slot)
{
    return slot < 4 ? slotsLow[slot] : slotsHigh[slot - 4];
}

// Light arriving from one light at a point, and its unit direction towards the light.
vec3 Arriving(Light light, vec3 fragPosition, out vec3 towards)
{
    vec3 toLight = light.positionLinear.xyz - fragPosition;
    float d2 = dot(toLight, toLight);
    float inverse = inversesqrt(max(d2, 1e-12));
    float d = d2 * inverse;
    float reach = 1.0 / (light.constantBidirEdge.x + d * (light.positionLinear.w + light.colorQuadratic.w * d));
    float along = -dot(light.axisAngle.xyz, toLight) * inverse;
    along = light.constantBidirEdge.y != 0.0 ? abs(along) : along;
    float angle = light.axisAngle.w;
    float edge = max(light.constantBidirEdge.z * (1.0 - angle), 1e-4);
    float cone = angle >= 1.0 ? 1.0 : clamp((along - angle) / edge, 0.0, 1.0);
    towards = toLight * inverse;
    return light.colorQuadratic.rgb * (reach * cone);
}

void main()
{
    vec4 albedo = texture(tex, uv);
    float a = albedo.a * tint.a;
    if (a <= 0.0)
    {
        discard;
    }
    vec3 fragPosition = vec3(worldPosition, material.x);
    vec3 light = vec3(0.0);
#ifdef HAS_HIGHLIGHTS
    // Without a normal map the sprite is a flat card facing the viewer.
    vec3 card = vec3(0.0, 0.0, -1.0);
    vec3 normal = card;
#ifdef HAS_NORMAL_MAP
    vec3 n = texture(normalMap, uv).rgb * 2.0 - 1.0;
    normal = normalize(vec3(n.x * worldAxes.xy + n.y * worldAxes.zw, -max(n.z, 0.0)));
#endif
    // Highlights need a map that says where the surface is shiny or how it is shaped.
#ifdef HAS_SPECULAR_MAP
    float specularStrength = material.z * texture(specularMap, uv).r;
#else
    float specularStrength = material.z;
#endif
    vec3 toViewer = normalize(cameraPosition.xyz - fragPosition);
    vec3 highlight = vec3(0.0);
#endif
    for (int slot = 0; slot < LIGHT_SLOTS; ++slot)
    {
        vec3 l;
        vec3 arriving = Arriving(lights[int(SlotLight(slot))], fragPosition, l);
#ifdef HAS_HIGHLIGHTS
        // Lights mostly sit in the sprites' plane and would only graze a flat card, so the flat card takes the
        // full light and a normal map shades relative to it.
        vec3 lifted = normalize(vec3(l.xy, -0.5));
        float shade = clamp(dot(normal, lifted) / dot(card, lifted), 0.0, 2.0);
        light += arriving * shade;
        vec3 halfway = normalize(l + toViewer);
        highlight += arriving * pow(max(dot(normal, halfway), 0.0), material.w);
#else
        light += arriving;
#endif
    }
    vec3 lit = albedo.rgb * tint.rgb * (ambient.rgb + light * material.y);
#ifdef HAS_HIGHLIGHTS
    lit += highlight * specularStrength;
#endif
    fragColor = vec4(lit * a, a);
}
