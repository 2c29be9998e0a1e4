#include "graphics/Sprite.h"

#include "animation/SpineSourceManager.h"
#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "graphics/Mesh.h"
#include "graphics/MeshManager.h"
#include "graphics/ShaderManager.h"
#include "graphics/SpriteSourceManager.h"

#include <algorithm>
#include <string>

namespace kesto
{

namespace
{

// Looks a source key up; a name not in the art table leaves the sprite without that source.
void ReadSource(JsonReader& reader, SystemRegistry& registry, const char* key, SpriteSource*& out)
{
    std::string sourceName;
    if (!reader.TryReadString(key, sourceName))
    {
        return;
    }
    out = registry.GetSystem<SpriteSourceManager>()->Find(sourceName);
    if (!out && !sourceName.empty())
    {
        registry.GetSystem<Trace>()->Report("DATA", reader.Where(),
                                            std::string("Sprite ") + key + " \"" + sourceName +
                                                "\" is not in Art.json; the sprite shows nothing for it");
    }
}

// A sprite that uses Spine gets its own instance of the skeleton named by "name".
void ReadSkeleton(JsonReader& reader, SystemRegistry& registry, bool usingSpine, SpineInstance& spine)
{
    std::string skeletonName;
    if (!usingSpine || !reader.TryReadString("name", skeletonName))
    {
        return;
    }
    const SpineSource* source = registry.GetSystem<SpineSourceManager>()->Find(skeletonName);
    spine = SpineInstance(skeletonName, source);
    if (!source)
    {
        registry.GetSystem<Trace>()->Report("DATA", reader.Where(),
                                            "Sprite skeleton \"" + skeletonName +
                                                "\" is not a folder of Art/Spine; the sprite shows nothing");
    }
}

std::string NameOf(const SpriteSource* source) { return source ? source->name : std::string(); }

} // namespace

float DepthToZ(float depth, float depthScaling) { return (1.0f / (1.0f - depth) - 1.0f) * depthScaling; }

const FieldTable<Sprite>& Sprite::Fields()
{
    // The mesh, the frame, the Spine switch and the three sources come first in the JSON and are written by hand:
    // they are references to shared assets or need the sheet to be checked.
    static const FieldTable<Sprite> fields{
        Field<&Sprite::emissive>("emissive"),
        Field<&Sprite::alpha>("alpha").Label("Alpha").Slider(0.0f, 1.0f).Format("%.3f").Clamp(0.0f, 1.0f),
        Field<&Sprite::diffuse>("diffuse").Label("Diffuse").Slider(0.0f, 1.0f).Clamp(0.0f, 1.0f),
        Field<&Sprite::specular>("specular").Label("Specular").Slider(0.0f, 1.0f).Clamp(0.0f, 1.0f),
        Field<&Sprite::shininess>("shininess").Label("Shininess").Drag(0.1f).Clamp(1.0f),
        Field<&Sprite::order>("order").Label("Order"),
        Field<&Sprite::depth>("depth").Label("Depth").Slider(-1.0f, 1.0f).Format("%.3f").Clamp(-1.0f, 1.0f),
        Field<&Sprite::flippedX>("flippedX").Label("Flipped X"),
        Field<&Sprite::flippedY>("flippedY").Label("Flipped Y"),
        Field<&Sprite::crop>("crop").Label("Crop").Drag(0.01f).Range(0.0f, 1.0f),
        Field<&Sprite::offset>("offset").Label("Offset").Drag(0.01f),
        Field<&Sprite::blendColor>("blendColor").Label("Blend").Color(),
    };
    return fields;
}

void Sprite::Write(JsonWriter& writer) const
{
    writer.WriteVec2("mesh", mesh ? Vec2{mesh->uExtent, mesh->vExtent} : Vec2{1.0f, 1.0f});
    writer.WriteInt("initialFrame", frame);
    writer.WriteBool("usingSpine", usingSpine);
    if (usingSpine)
    {
        writer.WriteString("name", spine.Name());
    }
    writer.WriteString("spriteSource", NameOf(spriteSource));
    if (normalSource)
    {
        writer.WriteString("normalSpriteSource", NameOf(normalSource));
    }
    if (specularSource)
    {
        writer.WriteString("specularSpriteSource", NameOf(specularSource));
    }
    Fields().Write(*this, writer);
}

void Sprite::Read(JsonReader& reader, SystemRegistry* registry)
{
    if (!registry)
    {
        TraceReport(nullptr, "DATA", reader.Where(), "Sprite read without a registry; skipped");
        return;
    }
    Vec2 extents;
    if (reader.TryReadVec2("mesh", extents))
    {
        mesh = &registry->GetSystem<MeshManager>()->Get(extents.x, extents.y);
    }
    reader.TryReadInt("initialFrame", frame);
    reader.TryReadBool("usingSpine", usingSpine);
    ReadSkeleton(reader, *registry, usingSpine, spine);
    ReadSource(reader, *registry, "spriteSource", spriteSource);
    ReadSource(reader, *registry, "normalSpriteSource", normalSource);
    ReadSource(reader, *registry, "specularSpriteSource", specularSource);
    if (spriteSource && spriteSource->IsDrawable() &&
        (frame < 0 || frame >= spriteSource->rows * spriteSource->columns))
    {
        registry->GetSystem<Trace>()->Report("DATA", reader.Where(),
                                             "Sprite initialFrame " + std::to_string(frame) + " is outside the " +
                                                 std::to_string(spriteSource->rows * spriteSource->columns) +
                                                 " cells of \"" + spriteSource->name + "\"; the first cell is shown");
        frame = 0;
    }
    Fields().Read(*this, reader, registry);
    // The shader depends only on the emissive flag and the sheet, so it is chosen again only when one is given.
    bool emissiveGiven = false;
    if (reader.TryReadBool("emissive", emissiveGiven) || reader.HasMember("spriteSource"))
    {
        ChooseShader(*registry->GetSystem<ShaderManager>());
    }
    // A sprite written without "mesh" shows one cell of its sheet rather than nothing.
    if (!mesh && spriteSource && spriteSource->IsDrawable())
    {
        mesh = &registry->GetSystem<MeshManager>()->Get(1.0f / static_cast<float>(spriteSource->columns),
                                                        1.0f / static_cast<float>(spriteSource->rows));
    }
}

bool Sprite::Equals(const Component& other) const
{
    const auto* o = dynamic_cast<const Sprite*>(&other);
    return o && mesh == o->mesh && shader == o->shader && spriteSource == o->spriteSource &&
           normalSource == o->normalSource && specularSource == o->specularSource && frame == o->frame &&
           Fields().Equals(*this, *o);
}

bool Sprite::IsUnlit() const { return emissive || (spriteSource && spriteSource->IsAdditive()); }

void Sprite::ChooseShader(const ShaderManager& shaders) { shader = &shaders.Get(IsUnlit() ? "Emissive" : "Texture"); }

Vec2 Sprite::CellOffset() const
{
    if (!spriteSource || !spriteSource->IsDrawable())
    {
        return {0.0f, 0.0f};
    }
    const int columns = spriteSource->columns;
    const int rows = spriteSource->rows;
    int column = frame % columns;
    if (flippedX)
    {
        column = columns - column - 1;
    }
    int row = frame / columns;
    // Textures are stored bottom-up, so the sheet's first row has the highest v.
    if (!flippedY)
    {
        row = rows - row - 1;
    }
    return {static_cast<float>(column) / static_cast<float>(columns),
            static_cast<float>(row) / static_cast<float>(rows)};
}

bool Sprite::CanDraw() const
{
    return mesh && shader && spriteSource && spriteSource->IsDrawable() && spriteSource->HasTexture();
}

bool Sprite::HasMaps() const
{
    return (normalSource && normalSource->HasTexture()) || (specularSource && specularSource->HasTexture());
}

} // namespace kesto
