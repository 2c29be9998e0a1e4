#version 330 core
// Batched sprites, lit ("Texture") or not ("Emissive"): positions arrive already placed on the screen, and what is
// the same over one sprite (tint, depth, material, normal-map axes) arrives with every vertex and is passed on
// unchanged. Every position has w = 1, so nothing needs perspective-correct interpolation. Variants of the lit
// program pass on only what their fragment stage reads (see Texture.frag).

#if defined(HAS_NORMAL_MAP) || defined(HAS_SPECULAR_MAP)
#define HAS_HIGHLIGHTS 1
#endif

layout(location = 0) in vec2 clipPosition;
layout(location = 1) in vec4 color;            // tint (rgb) and opacity (a)
layout(location = 2) in vec2 texCoord;
layout(location = 3) in vec2 lightingPosition; // where the lights see the vertex
layout(location = 4) in vec4 surface;          // zPos, diffuse, specular, shininess
layout(location = 5) in vec4 axes;             // the texture's right and up in the world, mirrored with it

// The ambient light. Only the lit fragment stage reads what is made of it, so an unlit program leaves it inactive
// and stays unlit.
uniform vec3 ambient;

noperspective out vec2 uv;
noperspective out vec2 worldPosition;
flat out float depth; // the sprite's zPos: the same over the sprite, so it is not interpolated
flat out vec4 tint;
flat out vec3 ambientTint; // the tint times the ambient light, and times diffuse: once per sprite, not per pixel
flat out vec3 diffuseTint;
#ifdef HAS_HIGHLIGHTS
flat out vec2 shine; // specular, shininess
#endif
#ifdef HAS_NORMAL_MAP
flat out vec4 worldAxes;
#endif

void main()
{
    gl_Position = vec4(clipPosition, 0.0, 1.0);
    uv = texCoord;
    worldPosition = lightingPosition;
    depth = surface.x;
    tint = color;
    ambientTint = color.rgb * ambient;
    diffuseTint = color.rgb * surface.y;
#ifdef HAS_HIGHLIGHTS
    shine = surface.zw;
#endif
#ifdef HAS_NORMAL_MAP
    worldAxes = axes;
#endif
}
