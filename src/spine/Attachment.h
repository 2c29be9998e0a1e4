#pragma once

#include "spine/SpineTypes.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kesto::spine
{

struct AtlasRegion;
struct Bone;
struct Slot;

enum class AttachmentType : std::uint8_t
{
    Region,
    Mesh,
};

// Something a slot can show. Only drawable kinds are loaded; bounding boxes, points, paths and clipping polygons
// are read past.
struct Attachment
{
    virtual ~Attachment() = default;

    AttachmentType type = AttachmentType::Region;
    std::string name;
    std::string path;                    // atlas region name
    Color color;                         // multiplied into the slot colour
    const AtlasRegion* region = nullptr; // never null in loaded data; points into the atlas

protected:
    explicit Attachment(AttachmentType kind) : type(kind) {}
};

// A textured rectangle placed in its slot's bone space.
struct RegionAttachment : Attachment
{
    RegionAttachment() : Attachment(AttachmentType::Region) {}

    // Takes UVs and the whitespace ratios from the region, then recomputes the corner offsets.
    void SetRegion(const AtlasRegion& atlasRegion);
    // Corner offsets in bone space from the placement fields and the region; call after changing either.
    void UpdateOffset();
    // Writes the four world corners (x, y) in the order bottom-left, top-left, top-right, bottom-right into out,
    // the first at out[offset], each next one stride floats later. Throws std::out_of_range if out is too small.
    void ComputeWorldVertices(const Bone& bone, std::span<float> out, std::size_t offset, std::size_t stride) const;

    float x = 0.0f; // centre in bone space
    float y = 0.0f;
    float rotation = 0.0f; // degrees
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float width = 0.0f; // size of the original image in skeleton units
    float height = 0.0f;
    std::array<float, 8> offset{}; // corner offsets in bone space, same corner order as the world vertices
    std::array<float, 8> uvs{};    // corner UVs, same order; v runs down the page
};

// A textured triangle mesh whose vertices follow one bone (unweighted) or several (weighted).
struct MeshAttachment : Attachment
{
    MeshAttachment() : Attachment(AttachmentType::Mesh) {}

    // Maps the image-relative UVs onto the region (rotated and stripped regions included) into uvs.
    void UpdateUVs();
    bool IsWeighted() const { return !bones.empty(); }
    // Writes world positions of the vertices covering floats [start, start + count) of the vertex list (count
    // is 2 per vertex; worldVerticesLength covers them all), the first at out[offset], each next one stride floats
    // later. Unweighted vertices follow the slot's bone; weighted ones the bones they name. Throws
    // std::out_of_range when the range is not within the mesh or out is too small.
    void ComputeWorldVertices(const Slot& slot, std::size_t start, std::size_t count, std::span<float> out,
                              std::size_t offset, std::size_t stride) const;

    // Weighted: for each vertex its influence count, then that many bone indices of the skeleton. Empty when
    // unweighted.
    std::vector<int> bones;
    // Unweighted: x, y per vertex in the slot's bone space. Weighted: bindX, bindY, weight per influence.
    std::vector<float> vertices;
    std::size_t worldVerticesLength = 0;  // 2 per vertex
    std::vector<float> regionUVs;         // u, v per vertex over the original image, v down
    std::vector<float> uvs;               // u, v per vertex over the page, v down
    std::vector<std::uint16_t> triangles; // three vertex indices per triangle
    int hullLength = 0;                   // floats of the outline vertices, which come first
    float width = 0.0f;                   // original image size, informative only
    float height = 0.0f;
};

} // namespace kesto::spine
