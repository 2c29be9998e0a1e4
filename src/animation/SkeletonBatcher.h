#pragma once

#include "engine/Vector.h"
#include "graphics/DrawBatch.h"

#include <cstdint>
#include <vector>

namespace kesto::spine
{
struct Attachment;
struct Slot;
} // namespace kesto::spine

namespace kesto
{

class Shader;
class SpineInstance;
class Sprite;

// Turns a Spine sprite's skeleton into draw batch submissions, one per slot with an attachment, in draw order.
// Keeps its vertex storage between skeletons.
class SkeletonBatcher
{
public:
    // Places the skeleton at `position` (world units, parallax applied) with `scale` / 1000 (1000 is the authored
    // size), mirrored about its origin along the sprite's flipped axes, poses it in world space and submits its slots
    // with `program`: blend by the slot's blend mode, tint the sprite's blend colour times skeleton and slot colour,
    // opacity the sprite's alpha times theirs, lit by the sprite's material at its depth. Pages without an uploaded
    // texture are skipped.
    void Submit(DrawBatch& batch, const Shader& program, const Sprite& sprite, SpineInstance& spine, Vec2 position,
                Vec2 scale, float depthScaling);

    // The triangles of one slot's attachment in the posed skeleton's world space, into Vertices() and Indices():
    // region corners in the order 0, 1, 2, 2, 3, 0, mesh triangles with their first two vertices swapped, each
    // triangle then wound counter-clockwise (mirrored skeletons included); texture v counts up the page. Empty
    // when the attachment's UVs do not cover its vertices.
    void Gather(const spine::Slot& slot, const spine::Attachment& attachment);
    const std::vector<DrawVertex>& Vertices() const { return vertices; }
    const std::vector<std::uint32_t>& Indices() const { return indices; }

private:
    std::vector<float> world; // x, y per vertex
    std::vector<DrawVertex> vertices;
    std::vector<std::uint32_t> indices;
};

} // namespace kesto
