#version 330 core
// Unlit sprites: the texture tinted, at full brightness; additive sheets use it with additive blending.

in vec2 uv;
flat in vec4 tint;

out vec4 fragColor;

uniform sampler2D tex;

void main()
{
    vec4 albedo = texture(tex, uv);
    float a = albedo.a * tint.a;
    fragColor = vec4(albedo.rgb * tint.rgb * a, a);
}
