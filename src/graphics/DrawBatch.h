#pragma once

#include "engine/Matrix3.h"
#include "engine/Vector.h"
#include "graphics/BatchOrder.h"
#include "graphics/GlObject.h"
#include "graphics/SceneLights.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kesto
{

class Shader;
class ShaderManager;
struct Texture;

// How a submission mixes with what is already drawn. Colours leave the programs premultiplied by their opacity.
enum class BlendMode : std::uint8_t
{
    Replace,  // no mixing: GL's state before anything set it
    Normal,   // premultiplied alpha: one, one minus source alpha
    Additive, // one, one
    Keep,     // whatever the previous submission (in submission order) drew with
};

// The blend of a blend name: "Normal" and "Additive"; any other name keeps the previous submission's blend.
BlendMode BlendModeOf(std::string_view blendName);

// Where submitted positions are: world units seen through the camera, or normalised device units (-1..1 across and
// up) that stay put whatever the camera does (RendererSystem::ScreenSpaceModel turns screen units into them). The
// lights see a screen-space submission at those units.
enum class DrawSpace : std::uint8_t
{
    World,
    Screen,
};

// Whether a lit program's submission is lit by the scene's lights or by the ambient light alone. Unlit programs
// ("Emissive") ignore it.
enum class Lighting : std::uint8_t
{
    Scene,
    AmbientOnly,
};

// What a submission is drawn with besides its vertices. Submissions with equal states share draw calls.
struct DrawState
{
    // A program following the batch interface (see DrawBatch): "Texture", "Emissive", or another entry of
    // Shaders.json written the same way (a particle template's). Lit programs get light-slot variants.
    const Shader* program = nullptr;
    Texture* texture = nullptr;     // unit 0 ("tex"); a submission without one is not drawn
    Texture* normalMap = nullptr;   // unit 1 ("normalMap"), or none
    Texture* specularMap = nullptr; // unit 2 ("specularMap"), or none
    bool repeatU = false;           // wrap along u (a tiled quad); clamp to edge otherwise
    bool repeatV = false;
    BlendMode blend = BlendMode::Normal;
    DrawSpace space = DrawSpace::World;
};

// What is the same for every vertex of one submission.
struct DrawSurface
{
    Vec4 tint{1.0f, 1.0f, 1.0f, 1.0f}; // colour multiplier (rgb, may exceed 1) and opacity (a, 0..1)
    float zPos = 0.0f;                 // shader depth the lights see (DepthToZ of the parallax depth)
    float diffuse = 1.0f;              // 0..1
    float specular = 0.5f;             // 0..1
    float shininess = 4.0f;            // >= 1
    Vec2 right{1.0f, 0.0f};            // unit axes of the texture in the submission's space, mirrored with the
    Vec2 up{0.0f, 1.0f};               // picture; they turn normal-map normals
    Lighting lighting = Lighting::Scene;
};

// One corner of submitted geometry, in the submission's space.
struct DrawVertex
{
    Vec2 position;
    Vec2 uv; // texture coordinates, already cropped, offset and mirrored
};

// The one path every textured thing is drawn through: sprites, sprite text, particles, Spine meshes, afterimages.
//
// Submit geometry in draw order (back to front) during the frame; nothing reaches GL until Flush, which draws all
// of it in as few draw calls as the picture allows: submissions with equal draw states are merged, and one may move
// ahead of others only where they share no pixel, so the result is exactly the picture of drawing each submission
// in turn. Per-submission data travels in vertex attributes, so no uniform changes between submissions.
//
// Lighting: a submission drawn with a lit program is lit only by the lights whose radius reaches the box of its
// vertices (in the submission's space, at its zPos), at most SceneLights' slot count of them. Those lights are part
// of its draw state and reach the program as uniforms, in the variant that unrolls exactly that many, so a pixel
// pays only for the lights near it; neighbouring sprites are reached by the same lights and still share a call.
//
// Call pairing: BeginFrame once per frame before submitting; Flush before anything draws with GL directly (debug
// lines, video, a post-processing pass), before the draw target changes, and at the end of the frame. Main thread
// only, with the GL context current.
//
// Program interface (GLSL 3.30): attributes 0 clip position (vec2), 1 tint (vec4), 2 texture coordinates (vec2),
// 3 lighting position (vec2, the submission's space), 4 surface (vec4: zPos, diffuse, specular, shininess), 5 axes
// (vec4: right.xy, up.xy); samplers "tex", "normalMap", "specularMap" on units 0 to 2. A program is lit when it
// reads the uniform "ambient" (vec3); lit programs also take "cameraPosition" (vec3) and, compiled with
// LIGHT_SLOTS = n > 0, "lights" (4n vec4, see Texture.frag); HAS_NORMAL_MAP and HAS_SPECULAR_MAP are defined when
// the state has those maps, KEEP_DESTINATION when its blending would overwrite the target with transparent pixels.
class DrawBatch
{
public:
    // Most light slots a program variant unrolls.
    static constexpr int maxLightSlots = static_cast<int>(std::tuple_size_v<LightSlots>);

    DrawBatch();
    ~DrawBatch();
    DrawBatch(const DrawBatch&) = delete;
    DrawBatch& operator=(const DrawBatch&) = delete;

    // Creates the buffers; needs the GL context. Variants are compiled through `shaders` when first used.
    void Init(ShaderManager& shaders);

    // Sets the frame's camera (world space), lights and ambient light. `lights` must outlive the frame's
    // submissions.
    void BeginFrame(const Matrix3& projView, SceneLights& lights, Vec3 ambient, Vec3 cameraPosition);

    // Triangles: every three indices (into `vertices`) make one, counter-clockwise to face the viewer.
    void Submit(const DrawState& state, const DrawSurface& surface, std::span<const DrawVertex> vertices,
                std::span<const std::uint32_t> indices);
    // A quad from its corners in the order top left, bottom left, top right, bottom right (counter-clockwise
    // triangles top left, bottom left, top right and bottom left, bottom right, top right).
    void SubmitQuad(const DrawState& state, const DrawSurface& surface, const std::array<DrawVertex, 4>& corners);

    // Draws everything submitted since the last flush, into the current draw target.
    void Flush();

    // The blend a "Keep" submission would get now.
    BlendMode CurrentBlend() const { return submitBlend; }
    // What a submission with that blend does to later "Keep" submissions, without submitting anything (Keep leaves
    // it as it is).
    void SetBlend(BlendMode blend);
    // For drawing with GL directly (video, a post-processing pass): draws what is queued, then sets GL's blend
    // function to `blend`, which later "Keep" submissions inherit.
    void FlushForDirectDraw(BlendMode blend);

    // Draw calls since BeginFrame (for benchmarks and tests).
    std::size_t FrameDrawCalls() const { return frameDrawCalls; }

private:
    struct Key
    {
        const Shader* program = nullptr;
        Texture* texture = nullptr;
        Texture* normalMap = nullptr;
        Texture* specularMap = nullptr;
        bool repeatU = false;
        bool repeatV = false;
        BlendMode blend = BlendMode::Normal;
        LightSlots lights{};        // of a lit program: the frame's lights that reach it (1-based, 0 empty)
        bool magnifiedOnly = false; // no pixel shows more than one texel of any of its textures across
        bool opaque = false;        // every pixel it draws replaces what is there, so blending changes nothing
        bool operator==(const Key&) const = default;
    };

    // Per-vertex data as the programs read it (attributes 0 to 5).
    struct GpuVertex
    {
        float clip[2];
        float tint[4];
        float uv[2];
        float lightingPosition[2];
        float surface[4];
        float axes[4];
    };

    // What makes one variant of a lit program.
    struct Features
    {
        int lightCount = 0;
        int coneCount = 0; // of those, the first ones, with a cone
        bool normalMap = false;
        bool specularMap = false;
        bool keepDestination = false;
        std::size_t Index() const;
    };

    // A program of the batch interface and the variants made of it so far.
    struct Variants
    {
        const Shader* base = nullptr;
        bool lit = false; // reads "ambient"
        std::array<const Shader*, 8 * (maxLightSlots + 1) * (maxLightSlots + 1)> built{};
    };

    // Replaces the submission's vertices (from `first`) with its triangles cut to the screen, and returns their
    // indices (relative to `first`); none when nothing of it is on the screen.
    std::vector<std::uint32_t> CutToScreen(std::uint32_t first, std::span<const std::uint32_t> triangles);
    // The vertex a fraction `t` of the way from `a` to `b`; what is the same over a submission is `a`'s.
    static GpuVertex Between(const GpuVertex& a, const GpuVertex& b, float t);
    int StateOf(const Key& key);
    // Whether no pixel of the submission's triangles (indices from `first`) shows more than one texel across of
    // any of the key's textures, so GL would magnify them all.
    bool MagnifiedOnly(std::uint32_t first, std::span<const std::uint32_t> triangles, const Key& key) const;
    Variants& VariantsOf(const Shader& base);
    const Shader& ProgramFor(Variants& variants, const Features& features);
    void Apply(const Key& key);
    void ApplyBlend(BlendMode blend);
    void SetBlending(bool on);

    ShaderManager* shaders = nullptr;
    Matrix3 worldToClip;
    SceneLights* sceneLights = nullptr;
    Vec2 halfViewport; // pixels per unit of clip space, across and up
    Vec3 ambientLight;
    Vec3 viewer;               // the camera's position in the lights' space
    std::vector<float> packed; // the lights of one state as the uniform takes them

    std::vector<GpuVertex> vertices;      // every submission's vertices, in submission order
    std::vector<std::uint32_t> indices;   // every submission's indices, relative to its first vertex
    std::vector<std::uint32_t> spans;     // per submission: first vertex, first index, index count
    std::vector<Key> states;              // distinct states of the submissions since the last flush
    std::vector<std::uint32_t> drawOrder; // indices of the flush, batch by batch
    std::vector<std::pair<std::uint32_t, std::uint32_t>> ranges; // per batch: first index in drawOrder, count
    std::vector<Variants> programs;
    BatchOrder order;

    BlendMode submitBlend = BlendMode::Replace; // blend of the last submission, for "Keep"
    BlendMode glBlend = BlendMode::Replace;     // GL's blend function now
    bool glBlending = true;                     // GL_BLEND is enabled (the renderer enables it at Init)
    std::size_t frameDrawCalls = 0;

    GlVertexArray vertexArray;
    GlBuffer vertexBuffer;
    GlBuffer indexBuffer;
};

} // namespace kesto
