#version 330 core
// Debug lines: the unit line from (0, 0) to (1, 0), placed by "MVP".

layout(location = 0) in vec2 position;

uniform mat3 MVP;

void main()
{
    gl_Position = vec4((MVP * vec3(position, 1.0)).xy, 0.0, 1.0);
}
