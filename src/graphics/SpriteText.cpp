#include "graphics/SpriteText.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "graphics/MeshManager.h"
#include "graphics/ShaderManager.h"
#include "graphics/SpriteSource.h"
#include "graphics/SpriteSourceManager.h"

namespace kesto
{

const FieldTable<SpriteText>& SpriteText::Fields()
{
    // "source" names a shared sheet that must be looked up, so it is read, written and shown by hand.
    static const FieldTable<SpriteText> fields{
        Field<&SpriteText::order>("order").Label("Order"),
        Field<&SpriteText::id>("id").Label("Display"),
    };
    return fields;
}

void SpriteText::Write(JsonWriter& writer) const
{
    writer.WriteString("source", source);
    Fields().Write(*this, writer);
}

void SpriteText::Read(JsonReader& reader, SystemRegistry* registry)
{
    Fields().Read(*this, reader, registry);
    if (!reader.TryReadString("source", source) || !registry)
    {
        return;
    }
    UseSource(*registry);
    if (!sheet && !source.empty())
    {
        registry->GetSystem<Trace>()->Report(
            "DATA", reader.Where(), "SpriteText source \"" + source + "\" is not in Art.json; the text shows nothing");
    }
}

bool SpriteText::Equals(const Component& other) const
{
    const auto* o = dynamic_cast<const SpriteText*>(&other);
    return o && source == o->source && Fields().Equals(*this, *o);
}

bool SpriteText::Inspect(SystemRegistry* registry)
{
    bool changed = InspectName("Sprite Source", source, SpriteSourceNames, registry);
    if (changed && registry)
    {
        UseSource(*registry);
    }
    changed |= Fields().InspectOnly(*this, registry, {"id", "order"});
    return changed;
}

void SpriteText::UseSource(SystemRegistry& registry)
{
    sheet = registry.GetSystem<SpriteSourceManager>()->Find(source);
    shader = &registry.GetSystem<ShaderManager>()->Get(sheet && sheet->IsAdditive() ? "Emissive" : "Texture");
    mesh = sheet && sheet->IsDrawable()
               ? &registry.GetSystem<MeshManager>()->Get(1.0f / static_cast<float>(sheet->columns),
                                                         1.0f / static_cast<float>(sheet->rows))
               : nullptr;
    // The glyphs carry the old sheet; the next text rebuilds them.
    glyphs.clear();
    shown.clear();
}

int SpriteText::CellOf(char character)
{
    if (character == ':')
    {
        return 10;
    }
    if (character == '.')
    {
        return 11;
    }
    return character - '0';
}

void SpriteText::SetText(const std::string& text)
{
    if (text == shown && glyphs.size() == text.size())
    {
        return;
    }
    shown = text;
    glyphs.clear();
    glyphs.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        Sprite& glyph = glyphs.emplace_back();
        glyph.spriteSource = sheet;
        glyph.shader = shader;
        glyph.mesh = mesh;
        glyph.frame = CellOf(text[i]);
        glyph.order = order;
        glyph.offset = {static_cast<float>(i), 0.0f};
    }
}

} // namespace kesto
