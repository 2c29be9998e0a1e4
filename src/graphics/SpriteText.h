#pragma once

#include "ecs/Component.h"
#include "graphics/Sprite.h"

#include <string>
#include <vector>

namespace kesto
{

class Mesh;
class Shader;
struct SpriteSource;

// A time drawn as a row of digit cells from a sprite sheet (cells 0-9 digits, 10 the colon, 11 the full stop). Glyph
// i sits i cell widths right of the entity's position; the entity's scale is one cell's size.
class SpriteText : public ComponentOf<SpriteText, ComponentType::SpriteText>
{
public:
    // The order and the id; the sheet's name is read and written by hand.
    static const FieldTable<SpriteText>& Fields();
    void Write(JsonWriter& writer) const override;
    // "source" also finds the sheet, its program and its cell mesh; a sheet not in Art.json is reported and shows
    // nothing.
    void Read(JsonReader& reader, SystemRegistry* registry) override;
    // Same sheet name, order and id.
    bool Equals(const Component& other) const override;
    // "Sprite Source", "Display" (the id), "Order".
    bool Inspect(SystemRegistry* registry) override;

    // Finds the sheet named by `source`, its program ("Emissive" for an additive sheet, else "Texture") and the mesh
    // of one of its cells.
    void UseSource(SystemRegistry& registry);
    // Replaces the glyphs with one per character; the same text again changes nothing.
    void SetText(const std::string& text);
    const std::string& Text() const { return shown; }
    // The sheet cell of a character: its digit, 10 for ':', 11 for '.'; any other character has no cell of the sheet.
    static int CellOf(char character);

    std::string source; // sprite source name of the digit sheet
    int order = 0;      // draw order, also given to every glyph
    // What to show: 0 the running split, 1 the total time, 2 the first split, k >= 3 the length of split k - 1 (see
    // TimerSystem::Readout).
    int id = 0;

    std::vector<Sprite> glyphs;
    SpriteSource* sheet = nullptr; // owned by the sprite-source manager
    Shader* shader = nullptr;      // owned by the shader manager
    Mesh* mesh = nullptr;          // owned by the mesh manager

private:
    std::string shown; // the text the glyphs spell
};

} // namespace kesto
