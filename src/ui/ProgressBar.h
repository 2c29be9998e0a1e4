#pragma once

#include "ecs/Component.h"
#include "engine/Vector.h"

namespace kesto
{

// Which sides of a progress bar shrink with its value; the number is the JSON form. Any other number behaves as X.
enum class ScaleDirection : int
{
    X = 0,
    Y = 1,
    Both = 2,
};

// A bar that shows a value between a minimum and a maximum by cropping its sprite, one edge or corner kept still.
class ProgressBar : public ComponentOf<ProgressBar, ComponentType::ProgressBar>
{
public:
    static const FieldTable<ProgressBar>& Fields();
    // "min value", "max value", "current value", the scale direction and the align combos; an edit redraws.
    bool Inspect(SystemRegistry* registry) override;
    void MarkDirty() { dirty = true; }

    float min = 0.0f;
    float max = 100.0f;
    float current = 100.0f;
    ScaleDirection scaleDirection = ScaleDirection::X;
    // The still part: 0 middle, 1 top, 2 bottom, 3 left, 4 right, 5 top left, 6 top right, 7 bottom left,
    // 8 bottom right.
    int align = 1;
    bool dirty = false;    // set by whoever changes current; the next visual pass redraws
    bool placed = false;   // anchorPosition was taken from the transform
    Vec2 maxScale{};       // sprite crop at the full value; (0, 0) takes the sprite's crop
    Vec2 anchorPosition{}; // replaced by the transform position at the first visual pass
};

} // namespace kesto
