#include "graphics/SpriteQuad.h"

#include "graphics/Mesh.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSource.h"

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
    static constexpr std::array<Vec2, 4> unitCorners = {Vec2{-0.5f, 0.5f}, Vec2{-0.5f, -0.5f}, Vec2{0.5f, 0.5f},
                                                        Vec2{0.5f, -0.5f}};
    const std::array<Vec2, 4> texCorners = {Vec2{0.0f, v}, Vec2{0.0f, 0.0f}, Vec2{u, v}, Vec2{u, 0.0f}};
    for (std::size_t i = 0; i < 4; ++i)
    {
        const Vec2 local{unitCorners[i].x * sprite.crop.x + sprite.offset.x,
                         unitCorners[i].y * sprite.crop.y + sprite.offset.y};
        Vec2 t{texCorners[i].x * sprite.crop.x + cell.x, texCorners[i].y * sprite.crop.y + cell.y};
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
