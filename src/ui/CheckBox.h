#pragma once

#include "ecs/Component.h"

#include <cstdint>
#include <string>

namespace kesto
{

// The setting a check box shows and toggles.
enum class CheckBoxType : std::uint8_t
{
    FullScreen = 0,
    MuteMaster = 1,
    MuteBGM = 2,
    MuteSFX = 3,
    Stub = 4, // toggles nothing
};

// A toggled menu check box.
class CheckBox : public ComponentOf<CheckBox, ComponentType::CheckBox>
{
public:
    static const FieldTable<CheckBox>& Fields();
    // The described fields, then the hover sprites under their shared key and the "Type" text.
    void Write(JsonWriter& writer) const override;
    // "Type" is a text; an unknown one reads as FullScreen and is reported.
    void Read(JsonReader& reader, SystemRegistry* registry) override;
    // "CheckBox Function", then the four sprite combos.
    bool Inspect(SystemRegistry* registry) override;

    bool checked = false;
    CheckBoxType type = CheckBoxType::FullScreen;
    // Sprite source names; an empty one is taken from the sprite's current source.
    std::string checkedSprite;
    std::string uncheckedSprite;
    std::string hoverCheckedSprite;
    std::string hoverUncheckedSprite;
};

} // namespace kesto
