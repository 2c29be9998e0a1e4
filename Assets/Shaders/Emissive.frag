#version 330 core
// Unlit sprites: the texture tinted, at full brightness; additive sheets use it with additive blending.

in vec2 uv;
in vec2 worldPosition;
in vec2 worldRight;
in vec2 worldUp;

out vec4 fragColor;

uniform sampler2D tex;
uniform vec3 blendColor;
uniform float alpha;

void main()
{
    vec4 albedo = texture(tex, uv);
    float a = albedo.a * alpha;
    fragColor = vec4(albedo.rgb * blendColor * a, a);
}
