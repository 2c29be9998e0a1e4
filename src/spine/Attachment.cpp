#include "spine/Attachment.h"

#include "spine/Atlas.h"
#include "spine/Skeleton.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace kesto::spine
{
namespace
{

constexpr float degreesToRadians = std::numbers::pi_v<float> / 180.0f;

void CheckOutput(std::span<float> out, std::size_t offset, std::size_t stride, std::size_t points, const char* function)
{
    if (points > 0 && offset + (points - 1) * stride + 2 > out.size())
    {
        throw std::out_of_range(std::string(function) + ": the output holds fewer floats than the vertices need");
    }
}

} // namespace

void RegionAttachment::SetRegion(const AtlasRegion& atlasRegion)
{
    region = &atlasRegion;
    const AtlasRegion& r = atlasRegion;
    if (r.rotate)
    {
        uvs = {r.u2, r.v2, r.u, r.v2, r.u, r.v, r.u2, r.v};
    }
    else
    {
        uvs = {r.u, r.v2, r.u, r.v, r.u2, r.v, r.u2, r.v2};
    }
    UpdateOffset();
}

void RegionAttachment::UpdateOffset()
{
    const float originalWidth = region ? static_cast<float>(region->originalWidth) : width;
    const float originalHeight = region ? static_cast<float>(region->originalHeight) : height;
    const float packedWidth = region ? static_cast<float>(region->width) : width;
    const float packedHeight = region ? static_cast<float>(region->height) : height;
    // Skeleton units per atlas pixel; whitespace stripped when packing shifts the rectangle.
    const float regionScaleX = originalWidth > 0.0f ? width / originalWidth * scaleX : 0.0f;
    const float regionScaleY = originalHeight > 0.0f ? height / originalHeight * scaleY : 0.0f;
    const float left = -width / 2.0f * scaleX + (region ? static_cast<float>(region->offsetX) : 0.0f) * regionScaleX;
    const float bottom = -height / 2.0f * scaleY + (region ? static_cast<float>(region->offsetY) : 0.0f) * regionScaleY;
    const float right = left + packedWidth * regionScaleX;
    const float top = bottom + packedHeight * regionScaleY;

    const float cosine = std::cos(rotation * degreesToRadians);
    const float sine = std::sin(rotation * degreesToRadians);
    const float corners[8] = {left, bottom, left, top, right, top, right, bottom};
    for (std::size_t i = 0; i < 8; i += 2)
    {
        offset[i] = x + corners[i] * cosine - corners[i + 1] * sine;
        offset[i + 1] = y + corners[i] * sine + corners[i + 1] * cosine;
    }
}

void RegionAttachment::ComputeWorldVertices(const Bone& bone, std::span<float> out, std::size_t outOffset,
                                            std::size_t stride) const
{
    CheckOutput(out, outOffset, stride, 4, "RegionAttachment::ComputeWorldVertices");
    for (std::size_t i = 0; i < 8; i += 2, outOffset += stride)
    {
        out[outOffset] = bone.a * offset[i] + bone.b * offset[i + 1] + bone.worldX;
        out[outOffset + 1] = bone.c * offset[i] + bone.d * offset[i + 1] + bone.worldY;
    }
}

void MeshAttachment::UpdateUVs()
{
    uvs.resize(regionUVs.size());
    if (!region)
    {
        uvs = regionUVs;
        return;
    }
    const AtlasRegion& r = *region;
    const float packedWidth = static_cast<float>(r.width);
    const float packedHeight = static_cast<float>(r.height);
    const float originalWidth = static_cast<float>(r.originalWidth);
    const float originalHeight = static_cast<float>(r.originalHeight);
    // Pixels stripped from the left and from the top of the original image.
    const float strippedLeft = static_cast<float>(r.offsetX);
    const float strippedTop = originalHeight - packedHeight - static_cast<float>(r.offsetY);
    for (std::size_t i = 0; i + 1 < regionUVs.size(); i += 2)
    {
        // Fractions of the packed image, s right and t down.
        const float s = packedWidth > 0.0f ? (regionUVs[i] * originalWidth - strippedLeft) / packedWidth : 0.0f;
        const float t = packedHeight > 0.0f ? (regionUVs[i + 1] * originalHeight - strippedTop) / packedHeight : 0.0f;
        if (r.rotate)
        {
            uvs[i] = r.u + t * (r.u2 - r.u);
            uvs[i + 1] = r.v2 - s * (r.v2 - r.v);
        }
        else
        {
            uvs[i] = r.u + s * (r.u2 - r.u);
            uvs[i + 1] = r.v + t * (r.v2 - r.v);
        }
    }
}

void MeshAttachment::ComputeWorldVertices(const Slot& slot, std::size_t start, std::size_t count, std::span<float> out,
                                          std::size_t outOffset, std::size_t stride) const
{
    if (start % 2 != 0 || count % 2 != 0 || start > worldVerticesLength || count > worldVerticesLength - start)
    {
        throw std::out_of_range("MeshAttachment::ComputeWorldVertices: the range is not within the mesh");
    }
    CheckOutput(out, outOffset, stride, count / 2, "MeshAttachment::ComputeWorldVertices");
    if (!IsWeighted())
    {
        const Bone& bone = slot.bone;
        for (std::size_t v = start; v < start + count; v += 2, outOffset += stride)
        {
            const float vx = vertices[v];
            const float vy = vertices[v + 1];
            out[outOffset] = bone.a * vx + bone.b * vy + bone.worldX;
            out[outOffset + 1] = bone.c * vx + bone.d * vy + bone.worldY;
        }
        return;
    }
    const std::span<const Bone> skeletonBones = slot.bone.skeleton.Bones();
    std::size_t boneCursor = 0;
    std::size_t weightCursor = 0;
    for (std::size_t skipped = 0; skipped < start / 2; ++skipped)
    {
        const auto influences = static_cast<std::size_t>(bones[boneCursor]);
        boneCursor += influences + 1;
        weightCursor += influences * 3;
    }
    for (std::size_t v = 0; v < count / 2; ++v, outOffset += stride)
    {
        const auto influences = static_cast<std::size_t>(bones[boneCursor++]);
        float wx = 0.0f;
        float wy = 0.0f;
        for (std::size_t j = 0; j < influences; ++j, ++boneCursor, weightCursor += 3)
        {
            const auto index = static_cast<std::size_t>(bones[boneCursor]);
            if (index >= skeletonBones.size())
            {
                throw std::out_of_range("MeshAttachment::ComputeWorldVertices: the mesh is not of this skeleton");
            }
            const Bone& bone = skeletonBones[index];
            const float bx = vertices[weightCursor];
            const float by = vertices[weightCursor + 1];
            const float weight = vertices[weightCursor + 2];
            wx += (bone.a * bx + bone.b * by + bone.worldX) * weight;
            wy += (bone.c * bx + bone.d * by + bone.worldY) * weight;
        }
        out[outOffset] = wx;
        out[outOffset + 1] = wy;
    }
}

} // namespace kesto::spine
