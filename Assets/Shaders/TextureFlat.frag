#version 330 core
// Lit sprites without normal or specular maps: the same picture as "Texture" gives them, in fewer steps. A
// software rasteriser runs every branch of a program, so map-less sprites (most of them) get their own program.
// The scene's 3D space is the world plane with depth along +z ("zPos").

in vec2 uv;
in vec2 worldPosition;

out vec4 fragColor;

struct Light
{
    vec3 position;
    vec3 color;       // already scaled by the intensity
    vec3 dir;         // cone axis, unit length
    float angle;      // cosine of the cone's half angle; 1 or more lights every direction
    int bidir;        // the cone opens both ways
    float edgeSmooth; // 0..1, soft part of the cone's edge
    float constant;
    float linear;
    float quadratic;
};

const int maxLights = 32;

uniform sampler2D tex;
uniform vec3 blendColor;
uniform float alpha;
uniform float diffuse;
uniform float zPos;
uniform vec3 ambient;
uniform int lightCount;
uniform Light lights[maxLights];

void main()
{
    vec4 albedo = texture(tex, uv);
    float a = albedo.a * alpha;
    if (a <= 0.0)
    {
        discard;
    }
    vec3 fragPosition = vec3(worldPosition, zPos);
    vec3 light = vec3(0.0);
    int count = min(lightCount, maxLights);
    for (int i = 0; i < count; ++i)
    {
        vec3 toLight = lights[i].position - fragPosition;
        float d2 = dot(toLight, toLight);
        float inverse = inversesqrt(max(d2, 1e-12));
        float d = d2 * inverse;
        float reach = 1.0 / (lights[i].constant + d * (lights[i].linear + lights[i].quadratic * d));
        float along = -dot(lights[i].dir, toLight) * inverse;
        along = lights[i].bidir != 0 ? abs(along) : along;
        float edge = max(lights[i].edgeSmooth * (1.0 - lights[i].angle), 1e-4);
        float cone = lights[i].angle >= 1.0 ? 1.0 : clamp((along - lights[i].angle) / edge, 0.0, 1.0);
        light += lights[i].color * (reach * cone);
    }
    fragColor = vec4(albedo.rgb * blendColor * (ambient + light * diffuse) * a, a);
}
