#pragma once

#include "engine/Matrix3.h"
#include "graphics/DrawBatch.h"

namespace kesto
{

class Shader;
class Sprite;

// A sprite's quad as the draw batch takes it.
struct SpriteQuad
{
    DrawState state;
    DrawSurface surface;
    std::array<DrawVertex, 4> corners; // top left, bottom left, top right, bottom right
};

// The quad of a sprite's current cell: the unit quad cropped and offset, placed by `model` (in `space`), with the
// cell's texture coordinates cropped and mirrored, the tint, opacity, depth (zPos from `depthScaling`), material and
// blend of the sprite, drawn with `program` (its shader or a stand-in). False for a sprite that cannot be drawn yet
// (no mesh, no sheet, no uploaded texture).
bool MakeSpriteQuad(const Sprite& sprite, const Shader& program, const Matrix3& model, float depthScaling,
                    DrawSpace space, SpriteQuad& quad);

} // namespace kesto
