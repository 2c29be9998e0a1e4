#pragma once

#include "ecs/Component.h"
#include "graphics/ScreenElement.h"

namespace kesto
{

// Marks an entity as a UI element in screen units.
class UI : public ComponentOf<UI, ComponentType::UI>, public ScreenElement
{
public:
    bool IsOverOverlay() const override { return overOverlay; }

    void Write(JsonWriter& writer) const override;
    void Read(JsonReader& reader, SystemRegistry* registry) override;
    bool Equals(const Component& other) const override;

    int align = 1;           // kept and compared; nothing depends on it
    bool overOverlay = true; // drawn after post-processing, on top of everything
};

} // namespace kesto
