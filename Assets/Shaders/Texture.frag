#version 330 core
// Lit sprites: ambient light plus point and cone lights, with optional normal and specular maps. The scene's 3D
// space is the world plane with depth along +z (the sprite's zPos); the viewer sits at "cameraPosition", on the -z
// side. The engine builds variants of this program, since a software rasteriser pays for every instruction of a
// program whether a pixel needs it or not:
//   LIGHT_SLOTS       how many lights reach the sprites of a draw call; "lights" holds them, four vec4 each
//   CONE_SLOTS        how many of them, the first ones, have a cone; the others shine every way
//   HAS_NORMAL_MAP, HAS_SPECULAR_MAP   the maps are sampled
//   KEEP_DESTINATION  transparent pixels are discarded, for a draw call whose blending would overwrite with them

#ifndef LIGHT_SLOTS
#define LIGHT_SLOTS 0
#endif
#ifndef CONE_SLOTS
#define CONE_SLOTS 0
#endif
#if defined(HAS_NORMAL_MAP) || defined(HAS_SPECULAR_MAP)
#define HAS_HIGHLIGHTS 1
#endif

noperspective in vec2 uv;
noperspective in vec2 worldPosition;
flat in float depth; // the sprite's zPos
flat in vec4 tint;        // rgb tint, opacity
flat in vec3 ambientTint; // tint x the ambient light
flat in vec3 diffuseTint; // tint x diffuse
#ifdef HAS_HIGHLIGHTS
flat in vec2 shine; // specular, shininess
#endif
#ifdef HAS_NORMAL_MAP
flat in vec4 worldAxes; // right.xy, up.xy
#endif

out vec4 fragColor;

uniform sampler2D tex;
#ifdef HAS_NORMAL_MAP
uniform sampler2D normalMap;
#endif
#ifdef HAS_SPECULAR_MAP
uniform sampler2D specularMap;
#endif
#ifdef HAS_HIGHLIGHTS
uniform vec3 cameraPosition;
#endif
#if LIGHT_SLOTS > 0
// Per light: position and linear attenuation; colour (scaled by the intensity) and quadratic attenuation; cone axis
// (unit length) and the cosine of its half angle (below -1 for a light that shines every way); constant
// attenuation, whether the cone opens both ways (0 or 1), and 1 over the soft part of the cone's edge.
uniform vec4 lights[4 * LIGHT_SLOTS];

// Light arriving at a point from light `i`, which shines every way, and the unit direction towards it.
vec3 Arriving(int i, vec3 fragPosition, out vec3 towards)
{
    vec4 positionLinear = lights[4 * i];
    vec4 colorQuadratic = lights[4 * i + 1];
    vec3 toLight = positionLinear.xyz - fragPosition;
    float d2 = dot(toLight, toLight);
    float d = sqrt(d2);
    float reach = 1.0 / (lights[4 * i + 3].x + d * (positionLinear.w + colorQuadratic.w * d));
    // Only cones and highlights need the direction; the compiler leaves it out elsewhere.
    towards = toLight * inversesqrt(max(d2, 1e-12));
    return colorQuadratic.rgb * reach;
}

// The same for light `i` with a cone.
vec3 ArrivingInCone(int i, vec3 fragPosition, out vec3 towards)
{
    vec3 arriving = Arriving(i, fragPosition, towards);
    vec4 axisAngle = lights[4 * i + 2];
    vec4 constantBidirEdge = lights[4 * i + 3];
    float along = -dot(axisAngle.xyz, towards);
    along = constantBidirEdge.y != 0.0 ? abs(along) : along;
    return arriving * clamp((along - axisAngle.w) * constantBidirEdge.z, 0.0, 1.0);
}
#endif

void main()
{
    vec3 fragPosition = vec3(worldPosition, depth);
    vec4 albedo = texture(tex, uv);
    float a = albedo.a * tint.a;
#ifdef KEEP_DESTINATION
    if (a <= 0.0)
    {
        discard;
    }
#endif
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
    float specularStrength = shine.x * texture(specularMap, uv).r;
#else
    float specularStrength = shine.x;
#endif
    vec3 toViewer = normalize(cameraPosition - fragPosition);
    vec3 highlight = vec3(0.0);
#endif
#if LIGHT_SLOTS > 0
    for (int i = 0; i < LIGHT_SLOTS; ++i)
    {
        vec3 l;
        vec3 arriving = i < CONE_SLOTS ? ArrivingInCone(i, fragPosition, l) : Arriving(i, fragPosition, l);
#ifdef HAS_HIGHLIGHTS
        // Lights mostly sit in the sprites' plane and would only graze a flat card, so the flat card takes the
        // full light and a normal map shades relative to it: the share dot(normal, lifted) / dot(card, lifted) of
        // the light lifted off the plane to (l.xy, -0.5), where dot(card, lifted) is 0.5 before normalising.
        float shade = clamp(2.0 * dot(normal, vec3(l.xy, -0.5)), 0.0, 2.0);
        light += arriving * shade;
        vec3 halfway = normalize(l + toViewer);
        highlight += arriving * pow(max(dot(normal, halfway), 0.0), shine.y);
#else
        light += arriving;
#endif
    }
#endif
    vec3 lit = albedo.rgb * (ambientTint + light * diffuseTint);
#ifdef HAS_HIGHLIGHTS
    lit += highlight * specularStrength;
#endif
    fragColor = vec4(lit * a, a);
}
