#version 330 core
// Video frames on a quad placed by the entity's transform.

layout(location = 0) in vec2 position;
layout(location = 2) in vec2 texCoord;

uniform mat3 MVP;

out vec2 uv;

void main()
{
    gl_Position = vec4((MVP * vec3(position, 1.0)).xy, 0.0, 1.0);
    // Decoded frames arrive top row first.
    uv = vec2(texCoord.x, 1.0 - texCoord.y);
}
