#version 330 core
// Sprite quads, lit ("Texture") or not ("Emissive"): a cell of a sheet, cropped, shifted and mirrored.

layout(location = 0) in vec2 position;
layout(location = 1) in vec4 color;
layout(location = 2) in vec2 texCoord;

uniform mat3 model;
uniform mat3 projView;
uniform vec2 crop;     // fraction of the quad and of its texture kept per axis
uniform vec2 offset;   // shift in quad widths and heights
uniform vec2 uvOffset; // the frame's cell in the sheet
uniform int flippedX;
uniform int flippedY;

out vec2 uv;
out vec2 worldPosition;
out vec2 worldRight; // the quad's axes in the world, to turn normal-map normals with the sprite
out vec2 worldUp;

void main()
{
    vec3 world = model * vec3(position * crop + offset, 1.0);
    gl_Position = vec4((projView * world).xy, 0.0, 1.0);
    worldPosition = world.xy;

    // Mirroring the whole texture range picks the mirrored cell; the cell offset already points at it.
    vec2 t = texCoord * crop + uvOffset;
    if (flippedX != 0)
    {
        t.x = 1.0 - t.x;
    }
    if (flippedY != 0)
    {
        t.y = 1.0 - t.y;
    }
    uv = t;

    vec2 right = model[0].xy;
    vec2 up = model[1].xy;
    worldRight = dot(right, right) > 0.0 ? normalize(right) : vec2(1.0, 0.0);
    worldUp = dot(up, up) > 0.0 ? normalize(up) : vec2(0.0, 1.0);
}
