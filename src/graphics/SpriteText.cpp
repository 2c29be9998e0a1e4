#include "graphics/SpriteText.h"

#include "graphics/SpriteSourceManager.h"

namespace kesto
{

const FieldTable<SpriteText>& SpriteText::Fields()
{
    static const FieldTable<SpriteText> fields{
        Field<&SpriteText::source>("source").Label("Sprite Source").Names(SpriteSourceNames),
        Field<&SpriteText::order>("order").Label("Order"),
        Field<&SpriteText::id>("id").Label("Display"),
    };
    return fields;
}

bool SpriteText::Inspect(SystemRegistry* registry)
{
    return Fields().InspectOnly(*this, registry, {"source", "id", "order"});
}

} // namespace kesto
