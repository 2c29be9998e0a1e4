#include "graphics/DrawBatch.h"

#include "graphics/Shader.h"
#include "graphics/ShaderManager.h"
#include "graphics/Texture.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <epoxy/gl.h>

namespace kesto
{

namespace
{

void AttributeF(GLuint location, GLint size, std::size_t offset, GLsizei stride)
{
    glVertexAttribPointer(location, size, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(static_cast<std::uintptr_t>(offset)));
    glEnableVertexAttribArray(location);
}

// The screen's edge in clip units. Mesa's clipper interpolates noperspective values wrongly on the pieces of a
// triangle it cuts there (the picture bends along the cuts), so the batch cuts triangles reaching beyond the screen
// itself, exactly, since every position has w = 1.
constexpr float screenEdge = 1.0f;

} // namespace

BlendMode BlendModeOf(std::string_view blendName)
{
    if (blendName == "Normal")
    {
        return BlendMode::Normal;
    }
    if (blendName == "Additive")
    {
        return BlendMode::Additive;
    }
    return BlendMode::Keep;
}

DrawBatch::DrawBatch() = default;
DrawBatch::~DrawBatch() = default;

void DrawBatch::Init(ShaderManager& shaderManager)
{
    shaders = &shaderManager;
    CreateBoundVertexArray(vertexArray, vertexBuffer);
    constexpr auto stride = static_cast<GLsizei>(sizeof(GpuVertex));
    AttributeF(0, 2, offsetof(GpuVertex, clip), stride);
    AttributeF(1, 4, offsetof(GpuVertex, tint), stride);
    AttributeF(2, 2, offsetof(GpuVertex, uv), stride);
    AttributeF(3, 2, offsetof(GpuVertex, lightingPosition), stride);
    AttributeF(4, 4, offsetof(GpuVertex, surface), stride);
    AttributeF(5, 4, offsetof(GpuVertex, axes), stride);
    GLuint name = 0;
    glGenBuffers(1, &name);
    indexBuffer.Reset(name);
    // The element buffer belongs to the vertex array's state.
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer.Get());
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void DrawBatch::BeginFrame(const Matrix3& projView, SceneLights& lights, Vec3 ambient, Vec3 cameraPosition)
{
    worldToClip = projView;
    sceneLights = &lights;
    ambientLight = ambient;
    viewer = cameraPosition;
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    halfViewport = {static_cast<float>(viewport[2]) * 0.5f, static_cast<float>(viewport[3]) * 0.5f};
    frameDrawCalls = 0;
}

void DrawBatch::SubmitQuad(const DrawState& state, const DrawSurface& surface, const std::array<DrawVertex, 4>& corners)
{
    static constexpr std::array<std::uint32_t, 6> quadIndices = {0, 1, 2, 1, 3, 2};
    Submit(state, surface, corners, quadIndices);
}

void DrawBatch::Submit(const DrawState& state, const DrawSurface& surface, std::span<const DrawVertex> corners,
                       std::span<const std::uint32_t> triangleIndices)
{
    const BlendMode blend = state.blend == BlendMode::Keep ? submitBlend : state.blend;
    submitBlend = blend;
    if (!state.program || !state.texture || !state.texture->HasPixels() || corners.empty() ||
        triangleIndices.size() < 3)
    {
        return;
    }
    const bool screen = state.space == DrawSpace::Screen;
    const auto first = static_cast<std::uint32_t>(vertices.size());
    BatchOrder::Box box{INFINITY, INFINITY, -INFINITY, -INFINITY};
    Vec2 low{INFINITY, INFINITY};
    Vec2 high{-INFINITY, -INFINITY};
    GpuVertex vertex{};
    vertex.tint[0] = surface.tint.x;
    vertex.tint[1] = surface.tint.y;
    vertex.tint[2] = surface.tint.z;
    vertex.tint[3] = surface.tint.w;
    vertex.surface[0] = surface.zPos;
    vertex.surface[1] = surface.diffuse;
    vertex.surface[2] = surface.specular;
    vertex.surface[3] = surface.shininess;
    vertex.axes[0] = surface.right.x;
    vertex.axes[1] = surface.right.y;
    vertex.axes[2] = surface.up.x;
    vertex.axes[3] = surface.up.y;
    for (const DrawVertex& corner : corners)
    {
        const Vec2 lit = corner.position;
        const Vec2 clip = screen ? lit : worldToClip.TransformPoint(lit);
        vertex.clip[0] = clip.x;
        vertex.clip[1] = clip.y;
        vertex.uv[0] = corner.uv.x;
        vertex.uv[1] = corner.uv.y;
        vertex.lightingPosition[0] = lit.x;
        vertex.lightingPosition[1] = lit.y;
        vertices.push_back(vertex);
        box = {std::min(box.minX, clip.x), std::min(box.minY, clip.y), std::max(box.maxX, clip.x),
               std::max(box.maxY, clip.y)};
        low = {std::min(low.x, lit.x), std::min(low.y, lit.y)};
        high = {std::max(high.x, lit.x), std::max(high.y, lit.y)};
    }
    std::span<const std::uint32_t> triangles = triangleIndices.first(triangleIndices.size() / 3 * 3);
    std::vector<std::uint32_t> clipped;
    if (std::max({-box.minX, -box.minY, box.maxX, box.maxY}) > screenEdge)
    {
        clipped = CutToScreen(first, triangles);
        if (clipped.empty())
        {
            return; // wholly off the screen
        }
        triangles = clipped;
        box = {std::max(box.minX, -screenEdge), std::max(box.minY, -screenEdge), std::min(box.maxX, screenEdge),
               std::min(box.maxY, screenEdge)};
    }
    Key key;
    Variants& variants = VariantsOf(*state.program);
    if (variants.lit)
    {
        Features features;
        if (surface.lighting == Lighting::Scene && sceneLights)
        {
            features.lightCount = sceneLights->Reaching(low, high, surface.zPos, key.lights);
            for (int i = 0; i < features.lightCount; ++i)
            {
                const LightRecord& light = sceneLights->records[key.lights[static_cast<std::size_t>(i)] - 1u];
                features.coneCount += SceneLights::IsCone(light) ? 1 : 0;
            }
        }
        // Maps only shape the light that arrives; without lights they change nothing.
        features.normalMap = features.lightCount > 0 && state.normalMap;
        features.specularMap = features.lightCount > 0 && state.specularMap;
        features.keepDestination = blend == BlendMode::Replace;
        key.program = &ProgramFor(variants, features);
        key.normalMap = features.normalMap ? state.normalMap : nullptr;
        key.specularMap = features.specularMap ? state.specularMap : nullptr;
    }
    else
    {
        key.program = state.program;
    }
    key.texture = state.texture;
    key.magnifiedOnly = MagnifiedOnly(first, triangles, key);
    // Full alpha everywhere with normal blending: the source replaces the destination exactly, which the software
    // rasteriser does faster without blending.
    key.opaque = blend == BlendMode::Normal && surface.tint.w == 1.0f && state.texture->coverage.opaque;
    key.repeatU = state.repeatU;
    key.repeatV = state.repeatV;
    key.blend = blend;
    spans.push_back(first);
    spans.push_back(static_cast<std::uint32_t>(indices.size()));
    spans.push_back(static_cast<std::uint32_t>(triangles.size()));
    indices.insert(indices.end(), triangles.begin(), triangles.end());
    order.Place(StateOf(key), box);
}

std::vector<std::uint32_t> DrawBatch::CutToScreen(std::uint32_t first, std::span<const std::uint32_t> triangles)
{
    const std::vector<GpuVertex> corners(vertices.begin() + first, vertices.end());
    vertices.resize(first);
    std::vector<std::uint32_t> clipped;
    std::vector<GpuVertex> polygon;
    std::vector<GpuVertex> cut;
    for (std::size_t i = 0; i + 2 < triangles.size(); i += 3)
    {
        polygon = {corners[triangles[i]], corners[triangles[i + 1]], corners[triangles[i + 2]]};
        // One side of the screen at a time: x <= band, x >= -band, y <= band, y >= -band.
        for (int side = 0; side < 4 && !polygon.empty(); ++side)
        {
            const int axis = side / 2;
            const float sign = side % 2 == 0 ? 1.0f : -1.0f;
            const auto room = [&](const GpuVertex& v) { return screenEdge - sign * v.clip[axis]; };
            cut.clear();
            for (std::size_t k = 0; k < polygon.size(); ++k)
            {
                const GpuVertex& a = polygon[k];
                const GpuVertex& b = polygon[(k + 1) % polygon.size()];
                const float roomA = room(a);
                const float roomB = room(b);
                if (roomA >= 0.0f)
                {
                    cut.push_back(a);
                }
                if ((roomA >= 0.0f) != (roomB >= 0.0f))
                {
                    cut.push_back(Between(a, b, roomA / (roomA - roomB)));
                }
            }
            polygon.swap(cut);
        }
        // A fan keeps the triangle's winding.
        const auto base = static_cast<std::uint32_t>(vertices.size() - first);
        for (std::uint32_t k = 1; k + 1 < polygon.size(); ++k)
        {
            clipped.insert(clipped.end(), {base, base + k, base + k + 1});
        }
        vertices.insert(vertices.end(), polygon.begin(), polygon.end());
    }
    return clipped;
}

DrawBatch::GpuVertex DrawBatch::Between(const GpuVertex& a, const GpuVertex& b, float t)
{
    const auto mix = [t](float from, float to) { return from + (to - from) * t; };
    GpuVertex v = a;
    for (int k = 0; k < 2; ++k)
    {
        v.clip[k] = mix(a.clip[k], b.clip[k]);
        v.uv[k] = mix(a.uv[k], b.uv[k]);
        v.lightingPosition[k] = mix(a.lightingPosition[k], b.lightingPosition[k]);
    }
    return v;
}

int DrawBatch::StateOf(const Key& key)
{
    // Frames use a handful of states; the newest is the likeliest match.
    for (std::size_t i = states.size(); i-- > 0;)
    {
        if (states[i] == key)
        {
            return static_cast<int>(i);
        }
    }
    states.push_back(key);
    return static_cast<int>(states.size() - 1);
}

DrawBatch::Variants& DrawBatch::VariantsOf(const Shader& base)
{
    for (Variants& known : programs)
    {
        if (known.base == &base)
        {
            return known;
        }
    }
    Variants& added = programs.emplace_back();
    added.base = &base;
    added.lit = base.Location("ambient") >= 0;
    return added;
}

std::size_t DrawBatch::Features::Index() const
{
    const auto slots = static_cast<std::size_t>(maxLightSlots + 1);
    return (static_cast<std::size_t>(lightCount) * slots + static_cast<std::size_t>(coneCount)) * 8 +
           (normalMap ? 4 : 0) + (specularMap ? 2 : 0) + (keepDestination ? 1 : 0);
}

const Shader& DrawBatch::ProgramFor(Variants& variants, const Features& features)
{
    const std::size_t index = features.Index();
    if (const Shader* built = variants.built[index])
    {
        return *built;
    }
    std::string defines = "#define LIGHT_SLOTS " + std::to_string(features.lightCount) + "\n#define CONE_SLOTS " +
                          std::to_string(features.coneCount);
    if (features.normalMap)
    {
        defines += "\n#define HAS_NORMAL_MAP 1";
    }
    if (features.specularMap)
    {
        defines += "\n#define HAS_SPECULAR_MAP 1";
    }
    if (features.keepDestination)
    {
        defines += "\n#define KEEP_DESTINATION 1";
    }
    const Shader& variant = shaders->Variant(variants.base->name, defines);
    variant.Use();
    Shader::Set(variant.Location("tex"), 0);
    Shader::Set(variant.Location("normalMap"), 1);
    Shader::Set(variant.Location("specularMap"), 2);
    variants.built[index] = &variant;
    return variant;
}

bool DrawBatch::MagnifiedOnly(std::uint32_t first, std::span<const std::uint32_t> triangles, const Key& key) const
{
    // GL magnifies every pixel when its scale factor rho (texels per pixel along the screen's axes, as GL defines it)
    // stays at 1 or below for each texture. A little room above 1 is allowed for rounding: there the level of detail
    // is so close to 0 that minifying would blend in under 0.2% of the next level.
    constexpr float limit = 1.001f;
    float largest = 0.0f;
    for (std::size_t i = 0; i + 2 < triangles.size(); i += 3)
    {
        const GpuVertex& a = vertices[first + triangles[i]];
        const GpuVertex& b = vertices[first + triangles[i + 1]];
        const GpuVertex& c = vertices[first + triangles[i + 2]];
        const Vec2 e1{(b.clip[0] - a.clip[0]) * halfViewport.x, (b.clip[1] - a.clip[1]) * halfViewport.y};
        const Vec2 e2{(c.clip[0] - a.clip[0]) * halfViewport.x, (c.clip[1] - a.clip[1]) * halfViewport.y};
        const float det = e1.x * e2.y - e1.y * e2.x;
        if (!(std::abs(det) > 1e-12f))
        {
            // No area: draws nothing.
            continue;
        }
        const Vec2 f1{b.uv[0] - a.uv[0], b.uv[1] - a.uv[1]};
        const Vec2 f2{c.uv[0] - a.uv[0], c.uv[1] - a.uv[1]};
        const Vec2 perX = (f1 * e2.y - f2 * e1.y) * (1.0f / det);
        const Vec2 perY = (f2 * e1.x - f1 * e2.x) * (1.0f / det);
        for (const Texture* texture : {key.texture, key.normalMap, key.specularMap})
        {
            if (texture)
            {
                const Vec2 size{static_cast<float>(texture->width), static_cast<float>(texture->height)};
                const Vec2 x{perX.x * size.x, perX.y * size.y};
                const Vec2 y{perY.x * size.x, perY.y * size.y};
                largest = std::max({largest, Dot(x, x), Dot(y, y)});
            }
        }
    }
    return largest <= limit * limit;
}

void DrawBatch::Flush()
{
    if (spans.empty())
    {
        order.Clear();
        states.clear();
        return;
    }
    drawOrder.clear();
    ranges.clear();
    for (std::size_t b = 0; b < order.BatchCount(); ++b)
    {
        const auto start = static_cast<std::uint32_t>(drawOrder.size());
        for (const std::uint32_t member : order.BatchAt(b).members)
        {
            const std::uint32_t firstVertex = spans[member * 3];
            const std::uint32_t firstIndex = spans[member * 3 + 1];
            const std::uint32_t count = spans[member * 3 + 2];
            for (std::uint32_t k = 0; k < count; ++k)
            {
                drawOrder.push_back(firstVertex + indices[firstIndex + k]);
            }
        }
        ranges.emplace_back(start, static_cast<std::uint32_t>(drawOrder.size()) - start);
    }
    glBindVertexArray(vertexArray.Get());
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer.Get());
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(GpuVertex)), vertices.data(),
                 GL_STREAM_DRAW);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(drawOrder.size() * sizeof(std::uint32_t)),
                 drawOrder.data(), GL_STREAM_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    const Key* applied = nullptr;

    for (std::size_t b = 0; b < ranges.size(); ++b)
    {
        const Key& key = states[static_cast<std::size_t>(order.BatchAt(b).state)];
        if (!applied || !(key == *applied))
        {
            Apply(key);
            applied = &key;
        }
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(ranges[b].second), GL_UNSIGNED_INT,
                       reinterpret_cast<const void*>(static_cast<std::uintptr_t>(ranges[b].first) * 4u));
        ++frameDrawCalls;
    }
    glBindVertexArray(0);
    // Whoever draws next finds blending on, as the renderer set it up.
    SetBlending(true);
    vertices.clear();
    indices.clear();
    spans.clear();
    states.clear();
    order.Clear();
}

void DrawBatch::Apply(const Key& key)
{
    const Shader& program = *key.program;
    program.Use();
    key.texture->Bind(0, key.repeatU, key.repeatV, key.magnifiedOnly);
    if (key.normalMap)
    {
        key.normalMap->Bind(1, key.repeatU, key.repeatV, key.magnifiedOnly);
    }
    if (key.specularMap)
    {
        key.specularMap->Bind(2, key.repeatU, key.repeatV, key.magnifiedOnly);
    }
    ApplyBlend(key.blend);
    SetBlending(!key.opaque);
    const int ambientAt = program.Location("ambient");
    if (ambientAt < 0)
    {
        return;
    }
    Shader::Set(ambientAt, ambientLight);
    Shader::Set(program.Location("cameraPosition"), viewer);
    packed.clear();
    for (const std::uint8_t slot : key.lights)
    {
        if (slot != 0)
        {
            sceneLights->PackLight(slot - 1u, packed);
        }
    }
    if (!packed.empty())
    {
        glUniform4fv(program.Location("lights"), static_cast<GLsizei>(packed.size() / 4), packed.data());
    }
}

void DrawBatch::ApplyBlend(BlendMode blend)
{
    if (blend == glBlend)
    {
        return;
    }
    switch (blend)
    {
    case BlendMode::Normal:
        glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        break;
    case BlendMode::Additive:
        glBlendFunc(GL_ONE, GL_ONE);
        break;
    case BlendMode::Replace:
    case BlendMode::Keep:
        glBlendFunc(GL_ONE, GL_ZERO);
        break;
    }
    glBlend = blend;
}

void DrawBatch::SetBlend(BlendMode blend)
{
    if (blend != BlendMode::Keep)
    {
        submitBlend = blend;
    }
}

void DrawBatch::FlushForDirectDraw(BlendMode blend)
{
    Flush();
    SetBlend(blend);
    ApplyBlend(submitBlend);
}

void DrawBatch::SetBlending(bool on)
{
    if (on != glBlending)
    {
        on ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
        glBlending = on;
    }
}

} // namespace kesto
