#include "animation/SkeletonBatcher.h"

#include "animation/SpineSource.h"
#include "graphics/Sprite.h"
#include "graphics/Texture.h"

#include <array>
#include <span>
#include <utility>

namespace kesto
{

namespace
{

// Region corners come bottom left, top left, top right, bottom right.
constexpr std::array<std::uint32_t, 6> regionOrder = {0, 1, 2, 2, 3, 0};

// A skeleton's 1000 is its authored size, so that a default 100-unit transform does not blow it up tenfold.
constexpr float authoredScale = 1000.0f;

// Twice the signed area of a triangle: positive when it winds counter-clockwise.
float Winding(const DrawVertex& a, const DrawVertex& b, const DrawVertex& c)
{
    return (b.position.x - a.position.x) * (c.position.y - a.position.y) -
           (b.position.y - a.position.y) * (c.position.x - a.position.x);
}

} // namespace

void SkeletonBatcher::Gather(const spine::Slot& slot, const spine::Attachment& attachment)
{
    const std::span<const float> uvs =
        attachment.type == spine::AttachmentType::Region
            ? std::span<const float>(static_cast<const spine::RegionAttachment&>(attachment).uvs)
            : std::span<const float>(static_cast<const spine::MeshAttachment&>(attachment).uvs);
    indices.clear();
    if (attachment.type == spine::AttachmentType::Region)
    {
        const auto& region = static_cast<const spine::RegionAttachment&>(attachment);
        world.resize(8);
        region.ComputeWorldVertices(slot.bone, world, 0, 2);
        indices.assign(regionOrder.begin(), regionOrder.end());
    }
    else
    {
        const auto& mesh = static_cast<const spine::MeshAttachment&>(attachment);
        world.resize(mesh.worldVerticesLength);
        mesh.ComputeWorldVertices(slot, 0, mesh.worldVerticesLength, world, 0, 2);
        // The first two of every triangle swap places, as the editor winds them the other way round.
        for (std::size_t t = 0; t + 2 < mesh.triangles.size(); t += 3)
        {
            indices.insert(indices.end(), {mesh.triangles[t + 1], mesh.triangles[t], mesh.triangles[t + 2]});
        }
    }
    if (uvs.size() < world.size())
    {
        indices.clear();
        return;
    }
    vertices.resize(world.size() / 2);
    for (std::size_t i = 0; i < vertices.size(); ++i)
    {
        // Page images are stored bottom row first, while atlas coordinates count down from the top.
        vertices[i] = {{world[2 * i], world[2 * i + 1]}, {uvs[2 * i], 1.0f - uvs[2 * i + 1]}};
    }
    // Back faces are culled, and a mirrored skeleton (or the editor's own winding) would otherwise vanish.
    for (std::size_t t = 0; t + 2 < indices.size(); t += 3)
    {
        if (Winding(vertices[indices[t]], vertices[indices[t + 1]], vertices[indices[t + 2]]) < 0.0f)
        {
            std::swap(indices[t], indices[t + 1]);
        }
    }
}

void SkeletonBatcher::Submit(DrawBatch& batch, const Shader& program, const Sprite& sprite, SpineInstance& spine,
                             Vec2 position, Vec2 scale, float depthScaling)
{
    if (!spine.skeleton)
    {
        return;
    }
    spine::Skeleton& skeleton = *spine.skeleton;
    skeleton.x = position.x;
    skeleton.y = position.y;
    // Flipping mirrors the skeleton about its origin; the pictures of its attachments stay the right way round.
    skeleton.scaleX = (sprite.flippedX ? -scale.x : scale.x) / authoredScale;
    skeleton.scaleY = (sprite.flippedY ? -scale.y : scale.y) / authoredScale;
    skeleton.UpdateWorldTransform();

    DrawState state;
    state.program = &program;
    DrawSurface surface;
    surface.zPos = DepthToZ(sprite.depth, depthScaling);
    surface.diffuse = sprite.diffuse;
    surface.specular = sprite.specular;
    surface.shininess = sprite.shininess;
    for (const spine::Slot* slot : skeleton.DrawOrder())
    {
        const spine::Attachment* attachment = slot->attachment;
        if (!attachment)
        {
            continue;
        }
        state.texture = static_cast<Texture*>(attachment->region->page->rendererObject);
        if (!state.texture)
        {
            continue;
        }
        state.blend = slot->data.blendMode == spine::BlendMode::Additive ? BlendMode::Additive : BlendMode::Normal;
        const spine::Color& c = skeleton.color;
        const spine::Color& s = slot->color;
        surface.tint = {sprite.blendColor.x * c.r * s.r, sprite.blendColor.y * c.g * s.g,
                        sprite.blendColor.z * c.b * s.b, sprite.alpha * c.a * s.a};

        Gather(*slot, *attachment);
        if (!indices.empty())
        {
            batch.Submit(state, surface, vertices, indices);
        }
    }
}

} // namespace kesto
