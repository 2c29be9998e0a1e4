#pragma once

#include "ecs/Component.h"

#include <string>

namespace kesto
{

// A time drawn as a row of digit cells from a sprite sheet (cells 0-9 digits, 10 the colon, 11 the full stop).
class SpriteText : public ComponentOf<SpriteText, ComponentType::SpriteText>
{
public:
    static const FieldTable<SpriteText>& Fields();
    // "Sprite Source", "Display" (the id), "Order".
    bool Inspect(SystemRegistry* registry) override;

    std::string source; // sprite source name of the digit sheet
    int order = 0;      // draw order, also given to every glyph
    // What to show: 0 the running split, 1 the total time, 2 the first split, k >= 3 the duration of split k - 2.
    int id = 0;
};

} // namespace kesto
