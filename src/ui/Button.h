#pragma once

#include "ecs/Component.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kesto
{

// What a button does when clicked; the number is its id.
enum class ButtonAction : std::uint8_t
{
    StateChange = 0,         // "State_<level>": change level with a short fade
    StateChangeDramatic = 1, // "StateDramatic_<level>": a long fade-out and a black hold
    StateChangeRestart = 2,  // "StateRestart_": the current level again
    DisplayUI = 3,           // "UI_" and the three after it do nothing
    DisplayButton = 4,
    DisplayProgressBar = 5,
    DisplayDropdownList = 6,
    AddSubLevel = 7,    // "AddSub_<sublevel>"
    RemoveSubLevel = 8, // "RemoveSub_<sublevel>"
    Pause = 9,
    UnPause = 10,
    Stub = 11, // does nothing
    Exit = 12, // quits, asking first when there are unsaved changes
};

// A release function split into its action and argument.
struct ReleaseAction
{
    ButtonAction action = ButtonAction::StateChange;
    std::string argument; // a level or sublevel name, or empty
};

// The action of "prefix_argument" (split at the first "_"); none for a text without "_", with "_" first, or with a
// prefix that names no action.
std::optional<ReleaseAction> DecodeReleaseFunction(const std::string& releaseFunction);

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
