#version 330 core
// Post-processing: a CRT look ("crtAmount"), a slow-motion tint ("timeSlow") and the screen transitions
// ("transitionType" 0 "Fade", 1 "Slide", 2 "Weird"; "transition" 1 covers the screen). While all three values
// are 0 the renderer draws the scene straight to the window without this pass, so the pass must change nothing then.

in vec2 uv;

out vec4 fragColor;

uniform sampler2D tex;
uniform vec2 resolution;
uniform float time;
uniform float crtAmount;
uniform float timeSlow;
uniform float transition;
uniform int transitionType;
uniform int fadingOut;

const float pi = 3.14159265;

vec3 CrtImage(vec2 st)
{
    // Bulge the picture as a tube does, and lose what falls off its edge.
    vec2 centred = st * 2.0 - 1.0;
    centred *= 1.0 + crtAmount * 0.06 * dot(centred, centred);
    vec2 bent = centred * 0.5 + 0.5;
    if (bent.x < 0.0 || bent.x > 1.0 || bent.y < 0.0 || bent.y > 1.0)
    {
        return vec3(0.0);
    }
    float shift = crtAmount * 2.0 / resolution.x;
    vec3 color = vec3(texture(tex, bent + vec2(shift, 0.0)).r, texture(tex, bent).g,
                      texture(tex, bent - vec2(shift, 0.0)).b);
    float scanline = 0.5 + 0.5 * sin(bent.y * resolution.y * pi);
    color *= 1.0 - crtAmount * 0.3 * scanline;
    float flicker = 1.0 - crtAmount * 0.03 * (0.5 + 0.5 * sin(time * 47.0));
    vec2 edge = bent * (1.0 - bent);
    float vignette = pow(clamp(edge.x * edge.y * 16.0, 0.0, 1.0), 0.35 * crtAmount);
    return color * flicker * vignette * (1.0 + 0.15 * crtAmount);
}

vec3 SlowMotion(vec3 color)
{
    float grey = dot(color, vec3(0.299, 0.587, 0.114));
    vec3 tinted = vec3(grey * 0.75, grey * 0.9, grey * 1.3) + vec3(0.02, 0.03, 0.08);
    vec2 centred = uv * 2.0 - 1.0;
    float vignette = 1.0 - 0.35 * timeSlow * dot(centred, centred) * 0.5;
    return mix(color, tinted, timeSlow * 0.8) * vignette;
}

// How much of this pixel the transition covers with black, 0..1.
float Cover()
{
    if (transitionType == 1)
    {
        // A black panel slides in from the left, then slides out to the right.
        float soft = 0.02;
        if (fadingOut != 0)
        {
            return 1.0 - smoothstep(transition - soft, transition, uv.x - soft * (1.0 - transition));
        }
        return smoothstep(1.0 - transition - soft, 1.0 - transition, uv.x + soft * (1.0 - transition));
    }
    if (transitionType == 2)
    {
        // Diamonds grow on a grid, sweeping across from the left.
        vec2 cell = fract(gl_FragCoord.xy / 48.0) - 0.5;
        float diamond = abs(cell.x) + abs(cell.y);
        return step(diamond, transition * 1.5 - uv.x * 0.5);
    }
    return transition;
}

void main()
{
    vec3 color = crtAmount > 0.0 ? CrtImage(uv) : texture(tex, uv).rgb;
    if (timeSlow > 0.0)
    {
        color = SlowMotion(color);
    }
    color *= 1.0 - clamp(Cover(), 0.0, 1.0);
    fragColor = vec4(color, 1.0);
}
