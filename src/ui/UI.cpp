#include "ui/UI.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

namespace kesto
{

void UI::Write(JsonWriter& writer) const
{
    writer.WriteInt("align", align);
    writer.WriteBool("overOverlay", overOverlay);
}

void UI::Read(JsonReader& reader, SystemRegistry*)
{
    reader.TryReadInt("align", align);
    reader.TryReadBool("overOverlay", overOverlay);
}

bool UI::Equals(const Component& other) const
{
    const auto* ui = dynamic_cast<const UI*>(&other);
    return ui && align == ui->align && overOverlay == ui->overOverlay;
}

} // namespace kesto
