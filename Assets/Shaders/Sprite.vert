#version 330 core
// Batched sprites, lit ("Texture") or not ("Emissive"): positions arrive already placed on the screen, and what is
// the same over one sprite (tint, depth, material, normal-map axes, the lights that reach it) arrives with every
// vertex and is passed on unchanged.

layout(location = 0) in vec2 clipPosition;
layout(location = 1) in vec4 color;            // tint (rgb) and opacity (a)
layout(location = 2) in vec2 texCoord;
layout(location = 3) in vec2 lightingPosition; // where the lights see the vertex
layout(location = 4) in vec4 surface;          // zPos, diffuse, specular, shininess
layout(location = 5) in vec4 axes;             // the texture's right and up in the world, mirrored with it
layout(location = 6) in uvec4 lightsLow;       // light slots 0-3: indices into the lighting block, 0 for none
layout(location = 7) in uvec4 lightsHigh;      // light slots 4-7

out vec2 uv;
out vec2 worldPosition;
flat out vec4 tint;
flat out vec4 material;
flat out vec4 worldAxes;
flat out uvec4 slotsLow;
flat out uvec4 slotsHigh;

void main()
{
    gl_Position = vec4(clipPosition, 0.0, 1.0);
    uv = texCoord;
    worldPosition = lightingPosition;
    tint = color;
    material = surface;
    worldAxes = axes;
    slotsLow = lightsLow;
    slotsHigh = lightsHigh;
}
