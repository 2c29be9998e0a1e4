#version 330 core

out vec4 fragColor;

uniform vec3 debugColor;

void main()
{
    fragColor = vec4(debugColor, 1.0);
}
