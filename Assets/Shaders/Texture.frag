#version 330 core
// Lit sprites: ambient light plus point and cone lights, with optional normal and specular maps. The scene's 3D
// space is the world plane with depth along +z ("zPos"); the viewer sits at "camPos", on the -z side. Sprites
// without maps are drawn with "TextureFlat", which must give them the same picture as this program.

in vec2 uv;
in vec2 worldPosition;
in vec2 worldRight;
in vec2 worldUp;

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
uniform sampler2D normalMap;
uniform sampler2D specularMap;
uniform int hasNormalMap;
uniform int hasSpecularMap;
uniform int flippedX;
uniform int flippedY;
uniform vec3 blendColor;
uniform float alpha;
uniform float diffuse;
uniform float specular;
uniform float shininess;
uniform float zPos;
uniform vec3 ambient;
uniform vec3 camPos;
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

    // Without a normal map the sprite is a flat card facing the viewer.
    vec3 card = vec3(0.0, 0.0, -1.0);
    vec3 normal = card;
    if (hasNormalMap != 0)
    {
        vec3 n = texture(normalMap, uv).rgb * 2.0 - 1.0;
        n.x = flippedX != 0 ? -n.x : n.x;
        n.y = flippedY != 0 ? -n.y : n.y;
        normal = normalize(vec3(n.x * worldRight + n.y * worldUp, -max(n.z, 0.0)));
    }
    // Highlights need a map that says where the surface is shiny or how it is shaped.
    float specularStrength = hasSpecularMap != 0 ? specular * texture(specularMap, uv).r
                                                 : (hasNormalMap != 0 ? specular : 0.0);
    vec3 toViewer = normalize(camPos - fragPosition);

    vec3 light = vec3(0.0);
    vec3 highlight = vec3(0.0);
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
        vec3 arriving = lights[i].color * (reach * cone);

        // Lights mostly sit in the sprites' plane and would only graze a flat card, so the flat card takes the
        // full light and a normal map shades relative to it.
        vec3 l = toLight * inverse;
        vec3 lifted = normalize(vec3(l.xy, -0.5));
        float shade = clamp(dot(normal, lifted) / dot(card, lifted), 0.0, 2.0);
        light += arriving * shade;
        vec3 halfway = normalize(l + toViewer);
        highlight += arriving * pow(max(dot(normal, halfway), 0.0), shininess);
    }
    fragColor = vec4((albedo.rgb * blendColor * (ambient + light * diffuse) + highlight * specularStrength) * a, a);
}
