#include "ui/Button.h"

#include "graphics/SpriteSourceManager.h"
#include "levels/LevelManager.h"

#include <array>
#include <imgui.h>
#include <string>

namespace kesto
{

namespace
{

struct ActionName
{
    const char* name;   // as the editor lists it
    const char* prefix; // before the "_" of the release function
    ButtonAction action;
};

// The actions in the editor's order: ids 0 to 10, then "Exit" and "Stub".
constexpr std::array<ActionName, 13> actions = {{
    {"StateChange", "State", ButtonAction::StateChange},
    {"StateChangeDramatic", "StateDramatic", ButtonAction::StateChangeDramatic},
    {"StateChangeRestart", "StateRestart", ButtonAction::StateChangeRestart},
    {"DisplayUI", "UI", ButtonAction::DisplayUI},
    {"DisplayButton", "Button", ButtonAction::DisplayButton},
    {"DisplayProgressBar", "ProgressBar", ButtonAction::DisplayProgressBar},
    {"DisplayDropdownList", "DropdownList", ButtonAction::DisplayDropdownList},
    {"AddSubLevel", "AddSub", ButtonAction::AddSubLevel},
    {"RemoveSubLevel", "RemoveSub", ButtonAction::RemoveSubLevel},
    {"Pause", "Pause", ButtonAction::Pause},
    {"UnPause", "UnPause", ButtonAction::UnPause},
    {"Exit", "Exit", ButtonAction::Exit},
    {"Stub", "Stub", ButtonAction::Stub},
}};

// The editor position of the release function's prefix; the first action for any other prefix.
std::size_t EditorPosition(const std::string& releaseFunction)
{
    const std::string prefix = releaseFunction.substr(0, releaseFunction.find('_'));
    for (std::size_t i = 0; i < actions.size(); ++i)
    {
        if (prefix == actions[i].prefix)
        {
            return i;
        }
    }
    return 0;
}

} // namespace

std::optional<ReleaseAction> DecodeReleaseFunction(const std::string& releaseFunction)
{
    const std::size_t separator = releaseFunction.find('_');
    if (separator == std::string::npos || separator == 0)
    {
        return std::nullopt;
    }
    const std::string prefix = releaseFunction.substr(0, separator);
    for (const ActionName& entry : actions)
    {
        if (prefix == entry.prefix)
        {
            return ReleaseAction{entry.action, releaseFunction.substr(separator + 1)};
        }
    }
    return std::nullopt;
}

const FieldTable<Button>& Button::Fields()
{
    // "onReleas_Function" is the spelling the menu files use. Buttons never compare equal.
    static const FieldTable<Button> fields(
        {
            Field<&Button::defaultSprite>("Default_Sprite"),
            Field<&Button::hoverSprite>("onHover_Sprite"),
            Field<&Button::pressSprite>("onPress_Sprite"),
            Field<&Button::releaseFunction>("onReleas_Function"),
            Field<&Button::hoverSound>("onHover_Sound"),
            Field<&Button::clickSound>("onClick_Sound"),
            Field<&Button::releaseSound>("onRelease_Sound"),
        },
        Equality::Never);
    return fields;
}

bool Button::Inspect(SystemRegistry* registry)
{
    std::string shownHover = hoverSprite.empty() ? defaultSprite : hoverSprite;
    bool changed = InspectName("onHover sprite", shownHover, SpriteSourceNames, registry);
    if (changed)
    {
        hoverSprite = shownHover;
    }

    const std::size_t separator = releaseFunction.find('_');
    std::string argument = separator == std::string::npos ? std::string() : releaseFunction.substr(separator + 1);
    std::size_t action = EditorPosition(releaseFunction);
    bool actionChanged = false;
    if (ImGui::BeginCombo("Button_onRelease_Function", actions[action].name))
    {
        for (std::size_t i = 0; i < actions.size(); ++i)
        {
            if (ImGui::Selectable(actions[i].name, i == action) && i != action)
            {
                action = i;
                actionChanged = true;
            }
        }
        ImGui::EndCombo();
    }
    const char* levelLabel = action <= 1 ? "Level Name" : action == 7 || action == 8 ? "SubLevel Name" : nullptr;
    if (levelLabel)
    {
        actionChanged |= InspectName(levelLabel, argument, LevelNames, registry);
    }
    if (actionChanged)
    {
        releaseFunction = std::string(actions[action].prefix) + "_" + argument;
    }
    return changed || actionChanged;
}

} // namespace kesto
