#pragma once

#include "ecs/Component.h"

#include <string>

namespace kesto
{

// A clickable menu button.
class Button : public ComponentOf<Button, ComponentType::Button>
{
public:
    static const FieldTable<Button>& Fields();
    // "onHover sprite", "Button_onRelease_Function" and, for the level and sublevel actions, the level combo;
    // choosing writes the encoded release function.
    bool Inspect(SystemRegistry* registry) override;

    bool hovered = false; // the cursor was over the button at the previous visual pass
    // Sprite source names; an empty default or hover sprite is taken from the sprite's current source.
    std::string defaultSprite;
    std::string hoverSprite;
    std::string pressSprite; // kept for the editor; nothing shows it
    // The action, as prefix_argument: "State_Level 1", "AddSub_Options", "Pause_", "Exit_" ...
    std::string releaseFunction;
    std::string hoverSound = "event:/SFX/UI/Menu_Hover";
    std::string clickSound = "event:/SFX/UI/Menu_Click"; // kept for the editor; nothing plays it
    std::string releaseSound = "event:/SFX/UI/Menu_Back";
};

} // namespace kesto
