#version 330 core
// The full-screen quad of the post-processing pass.

layout(location = 0) in vec2 position;
layout(location = 2) in vec2 texCoord;

out vec2 uv;

void main()
{
    gl_Position = vec4(position, 0.0, 1.0);
    uv = texCoord;
}
