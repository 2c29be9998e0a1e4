#pragma once

#include "ecs/Component.h"
#include "graphics/ScreenElement.h"

namespace kesto
{

// Marks an entity as a UI element in screen units.
class UI : public ComponentOf<UI, ComponentType::UI>, public ScreenElement
{
public:
    static const FieldTable<UI>& Fields();
    bool IsOverOverlay() const override { return overOverlay; }

    int align = 1;           // kept and compared; nothing depends on it
    bool overOverlay = true; // drawn after post-processing, on top of everything
};

} // namespace kesto
