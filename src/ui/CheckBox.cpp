#include "ui/CheckBox.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "engine/Trace.h"
#include "graphics/SpriteSourceManager.h"

#include <algorithm>
#include <array>
#include <imgui.h>
#include <string_view>
#include <vector>

namespace kesto
{

namespace
{

constexpr std::array<const char*, 5> typeTexts = {"FullScreen", "MuteMaster", "MuteBGM", "MuteSFX", "Stub"};

} // namespace

const FieldTable<CheckBox>& CheckBox::Fields()
{
    // Check boxes never compare equal.
    static const FieldTable<CheckBox> fields(
        {
            Field<&CheckBox::checked>("Checked"),
            Field<&CheckBox::checkedSprite>("Checked_Sprite").Label("Checked Sprite").Names(SpriteSourceNames),
            Field<&CheckBox::uncheckedSprite>("UnChecked_Sprite").Label("UnChecked Sprite").Names(SpriteSourceNames),
        },
        Equality::Never);
    return fields;
}

// Both hover sprites are stored under "onHover_Checked_Sprite", checked first: the menu files have always
// repeated that key. The type is written as its text, last.
void CheckBox::Write(JsonWriter& writer) const
{
    Fields().Write(*this, writer);
    writer.WriteString("onHover_Checked_Sprite", hoverCheckedSprite);
    writer.WriteString("onHover_Checked_Sprite", hoverUncheckedSprite);
    writer.WriteString("Type", typeTexts[static_cast<std::size_t>(type)]);
}

void CheckBox::Read(JsonReader& reader, SystemRegistry* registry)
{
    Fields().Read(*this, reader);
    std::vector<std::string> hoverSprites;
    reader.TryReadRepeatedStrings("onHover_Checked_Sprite", hoverSprites);
    if (!hoverSprites.empty())
    {
        hoverCheckedSprite = hoverSprites[0];
    }
    if (hoverSprites.size() > 1)
    {
        hoverUncheckedSprite = hoverSprites[1];
    }
    std::string text;
    if (!reader.TryReadString("Type", text))
    {
        return;
    }
    const auto found = std::find(typeTexts.begin(), typeTexts.end(), std::string_view(text));
    if (found == typeTexts.end())
    {
        type = CheckBoxType::FullScreen;
        TraceReport(registry, "DATA", reader.Where(), "unknown check box Type \"" + text + "\"");
        return;
    }
    type = static_cast<CheckBoxType>(found - typeTexts.begin());
}

bool CheckBox::Inspect(SystemRegistry* registry)
{
    int number = static_cast<int>(type);
    bool changed = ImGui::Combo("CheckBox Function", &number, typeTexts.data(), static_cast<int>(typeTexts.size()));
    if (changed)
    {
        type = static_cast<CheckBoxType>(number);
    }
    changed |= Fields().Inspect(*this, registry);
    changed |= InspectName("onHover Checked Sprite", hoverCheckedSprite, SpriteSourceNames, registry);
    changed |= InspectName("onHover UnChecked Sprite", hoverUncheckedSprite, SpriteSourceNames, registry);
    return changed;
}

} // namespace kesto
