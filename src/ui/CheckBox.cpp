#include "ui/CheckBox.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "engine/Trace.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace kesto
{

namespace
{

constexpr std::array<const char*, 5> typeTexts = {"FullScreen", "MuteMaster", "MuteBGM", "MuteSFX", "Stub"};

} // namespace

// Both hover sprites are stored under "onHover_Checked_Sprite", checked first: the menu files have always
// repeated that key.
void CheckBox::Write(JsonWriter& writer) const
{
    writer.WriteBool("Checked", checked);
    writer.WriteString("Checked_Sprite", checkedSprite);
    writer.WriteString("UnChecked_Sprite", uncheckedSprite);
    writer.WriteString("onHover_Checked_Sprite", hoverCheckedSprite);
    writer.WriteString("onHover_Checked_Sprite", hoverUncheckedSprite);
    writer.WriteString("Type", typeTexts[static_cast<std::size_t>(type)]);
}

void CheckBox::Read(JsonReader& reader, SystemRegistry* registry)
{
    reader.TryReadBool("Checked", checked);
    reader.TryReadString("Checked_Sprite", checkedSprite);
    reader.TryReadString("UnChecked_Sprite", uncheckedSprite);
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
        TraceReport(registry, "DATA", reader.SourceName(), "unknown check box Type \"" + text + "\"");
        return;
    }
    type = static_cast<CheckBoxType>(found - typeTexts.begin());
}

} // namespace kesto
