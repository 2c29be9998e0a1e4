#include "ui/Button.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

namespace kesto
{

// "onReleas_Function" is the spelling the menu files use.
void Button::Write(JsonWriter& writer) const
{
    writer.WriteString("Default_Sprite", defaultSprite);
    writer.WriteString("onHover_Sprite", hoverSprite);
    writer.WriteString("onPress_Sprite", pressSprite);
    writer.WriteString("onReleas_Function", releaseFunction);
    writer.WriteString("onHover_Sound", hoverSound);
    writer.WriteString("onClick_Sound", clickSound);
    writer.WriteString("onRelease_Sound", releaseSound);
}

void Button::Read(JsonReader& reader, SystemRegistry*)
{
    reader.TryReadString("Default_Sprite", defaultSprite);
    reader.TryReadString("onHover_Sprite", hoverSprite);
    reader.TryReadString("onPress_Sprite", pressSprite);
    reader.TryReadString("onReleas_Function", releaseFunction);
    reader.TryReadString("onHover_Sound", hoverSound);
    reader.TryReadString("onClick_Sound", clickSound);
    reader.TryReadString("onRelease_Sound", releaseSound);
}

} // namespace kesto
