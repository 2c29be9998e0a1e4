#include "ui/ProgressBarVisual.h"

#include "ecs/Transform.h"
#include "graphics/Sprite.h"
#include "ui/ProgressBar.h"

#include <algorithm>

namespace kesto
{

void UpdateProgressBarVisual(ProgressBar& bar, Sprite& sprite, Transform& transform)
{
    if (bar.maxScale.x == 0.0f && bar.maxScale.y == 0.0f)
    {
        bar.maxScale = sprite.crop;
    }
    if (!bar.placed)
    {
        bar.anchorPosition = transform.GetTranslation();
        bar.placed = true;
    }
    if (!bar.dirty)
    {
        return;
    }
    const float range = bar.max - bar.min;
    const float r = range != 0.0f ? (bar.current - bar.min) / range : 0.0f;
    const float W = bar.maxScale.x;
    const float H = bar.maxScale.y;
    float w = W;
    float h = H;
    if (bar.scaleDirection == ScaleDirection::Y)
    {
        h = H * r;
    }
    else if (bar.scaleDirection == ScaleDirection::Both)
    {
        w = W * r;
        h = H * r;
    }
    else
    {
        w = W * r;
    }
    // The crop shrinks the quad about its centre; the shift is in crop fractions of the entity's size.
    const float dx = (W - w) / 2.0f;
    const float dy = (H - h) / 2.0f;
    const float dw = (W - w) / 2.0f; // the corners take both offsets from the width difference
    Vec2 offset;
    switch (bar.align)
    {
    case 1:
        offset = {0.0f, dy};
        break;
    case 2:
        offset = {0.0f, -dy};
        break;
    case 3:
        offset = {-dx, 0.0f};
        break;
    case 4:
        offset = {dx, 0.0f};
        break;
    case 5:
        offset = {-dw, dw};
        break;
    case 6:
        offset = {dw, dw};
        break;
    case 7:
        offset = {-dw, -dw};
        break;
    case 8:
        offset = {dw, -dw};
        break;
    default:
        break;
    }
    const Vec2 size = transform.GetScale();
    sprite.crop = {std::clamp(w, 0.0f, 1.0f), std::clamp(h, 0.0f, 1.0f)};
    transform.SetTranslation(bar.anchorPosition + Vec2{offset.x * size.x, offset.y * size.y});
    bar.dirty = false;
}

} // namespace kesto
