#include "graphics/SpriteQuad.h"

#include "graphics/Mesh.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSource.h"

#include <array>
#include <cmath>

namespace kesto
{

namespace
{

Vec2 Direction(Vec3 column, Vec2 fallback)
{
    const Vec2 axis{column.x, column.y};
    const float lengthSquared = Dot(axis, axis);
    return lengthSquared > 0.0f ? axis * (1.0f / std::sqrt(lengthSquared)) : fallback;
}

Texture* TextureOf(SpriteSource* source) { return source && source->HasTexture() ? source->texture.get() : nullptr; }

// The part of the quad, as fractions from its left (or bottom) edge, that must be drawn along one axis: where the
// quad shows the texture exactly once, only the span of visible texels (mirrored with the picture), since clear
// texels change nothing yet cost a software rasteriser as much as any; otherwise all of it.
std::array<float, 2> DrawnSpan(float extent, float crop, float visibleLow, float visibleHigh, bool flipped)
{
    if (extent != 1.0f || crop != 1.0f)
    {
        return {0.0f, 1.0f};
    }
    return flipped ? std::array<float, 2>{1.0f - visibleHigh, 1.0f - visibleLow}
                   : std::array<float, 2>{visibleLow, visibleHigh};
}

} // namespace

bool MakeSpriteQuad(const Sprite& sprite, const Shader& program, const Matrix3& model, float depthScaling,
                    DrawSpace space, SpriteQuad& quad)
{
    if (!sprite.CanDraw())
    {
        return false;
    }
    const float u = sprite.mesh->uExtent;
    const float v = sprite.mesh->vExtent;
    quad.state.program = &program;
    quad.state.texture = sprite.spriteSource->texture.get();
    // Unlit sprites never sample their maps.
    const bool maps = !sprite.IsUnlit() && sprite.HasMaps();
    quad.state.normalMap = maps ? TextureOf(sprite.normalSource) : nullptr;
    quad.state.specularMap = maps ? TextureOf(sprite.specularSource) : nullptr;
    quad.state.repeatU = u > 1.0f;
    quad.state.repeatV = v > 1.0f;
    quad.state.blend = BlendModeOf(sprite.spriteSource->blend);
    quad.state.space = space;

    DrawSurface& surface = quad.surface;
    surface.tint = {sprite.blendColor.x, sprite.blendColor.y, sprite.blendColor.z, sprite.alpha};
    surface.zPos = DepthToZ(sprite.depth, depthScaling);
    surface.diffuse = sprite.diffuse;
    surface.specular = sprite.specular;
    surface.shininess = sprite.shininess;
    // Normal-map normals turn with the quad and mirror with the picture.
    surface.right = Direction(model.Column(0), {1.0f, 0.0f}) * (sprite.flippedX ? -1.0f : 1.0f);
    surface.up = Direction(model.Column(1), {0.0f, 1.0f}) * (sprite.flippedY ? -1.0f : 1.0f);
    surface.lighting = Lighting::Scene;

    const Vec2 cell = sprite.CellOffset();
    const TexelCoverage& visible = quad.state.texture->coverage;
    const std::array<float, 2> spanX = DrawnSpan(u, sprite.crop.x, visible.uLow, visible.uHigh, sprite.flippedX);
    const std::array<float, 2> spanY = DrawnSpan(v, sprite.crop.y, visible.vLow, visible.vHigh, sprite.flippedY);
    // Top left, bottom left, top right, bottom right.
    static constexpr std::array<std::array<int, 2>, 4> cornerSides = {{{0, 1}, {0, 0}, {1, 1}, {1, 0}}};
    for (std::size_t i = 0; i < 4; ++i)
    {
        const Vec2 along{spanX[cornerSides[i][0]], spanY[cornerSides[i][1]]};
        const Vec2 local{(along.x - 0.5f) * sprite.crop.x + sprite.offset.x,
                         (along.y - 0.5f) * sprite.crop.y + sprite.offset.y};
        Vec2 t{along.x * u * sprite.crop.x + cell.x, along.y * v * sprite.crop.y + cell.y};
        // Mirroring the whole texture range picks the mirrored cell; the cell offset already points at it.
        if (sprite.flippedX)
        {
            t.x = 1.0f - t.x;
        }
        if (sprite.flippedY)
        {
            t.y = 1.0f - t.y;
        }
        quad.corners[i] = {model.TransformPoint(local), t};
    }
    return true;
}

} // namespace kesto
