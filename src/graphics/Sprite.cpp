#include "graphics/Sprite.h"

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
        registry.GetSystem<Trace>()->Report("DATA", reader.SourceName(),
                                            std::string("Sprite ") + key + " \"" + sourceName +
                                                "\" is not in Art.json; the sprite shows nothing for it");
    }
}

std::string NameOf(const SpriteSource* source) { return source ? source->name : std::string(); }

} // namespace

float DepthToZ(float depth, float depthScaling) { return (1.0f / (1.0f - depth) - 1.0f) * depthScaling; }

void Sprite::Write(JsonWriter& writer) const
{
    writer.WriteVec2("mesh", mesh ? Vec2{mesh->uExtent, mesh->vExtent} : Vec2{1.0f, 1.0f});
    writer.WriteInt("initialFrame", frame);
    writer.WriteBool("usingSpine", usingSpine);
    writer.WriteString("spriteSource", NameOf(spriteSource));
    if (normalSource)
    {
        writer.WriteString("normalSpriteSource", NameOf(normalSource));
    }
    if (specularSource)
    {
        writer.WriteString("specularSpriteSource", NameOf(specularSource));
    }
    writer.WriteBool("emissive", emissive);
    writer.WriteFloat("alpha", alpha);
    writer.WriteFloat("diffuse", diffuse);
    writer.WriteFloat("specular", specular);
    writer.WriteFloat("shininess", shininess);
    writer.WriteInt("order", order);
    writer.WriteFloat("depth", depth);
    writer.WriteBool("flippedX", flippedX);
    writer.WriteBool("flippedY", flippedY);
    writer.WriteVec2("crop", crop);
    writer.WriteVec2("offset", offset);
    writer.WriteVec3("blendColor", blendColor);
}

void Sprite::Read(JsonReader& reader, SystemRegistry* registry)
{
    if (!registry)
    {
        TraceReport(nullptr, "DATA", reader.SourceName(), "Sprite read without a registry; skipped");
        return;
    }
    Vec2 extents;
    if (reader.TryReadVec2("mesh", extents))
    {
        mesh = &registry->GetSystem<MeshManager>()->Get(extents.x, extents.y);
    }
    reader.TryReadInt("initialFrame", frame);
    reader.TryReadBool("usingSpine", usingSpine);
    // The shader depends only on these two, so it is chosen again only when one of them is given.
    const bool hasEmissive = reader.TryReadBool("emissive", emissive);
    const bool hasSource = reader.HasMember("spriteSource");
    ReadSource(reader, *registry, "spriteSource", spriteSource);
    if (hasEmissive || hasSource)
    {
        ChooseShader(*registry->GetSystem<ShaderManager>());
    }
    ReadSource(reader, *registry, "normalSpriteSource", normalSource);
    ReadSource(reader, *registry, "specularSpriteSource", specularSource);
    if (reader.TryReadFloat("alpha", alpha))
    {
        alpha = std::clamp(alpha, 0.0f, 1.0f);
    }
    if (reader.TryReadFloat("diffuse", diffuse))
    {
        diffuse = std::clamp(diffuse, 0.0f, 1.0f);
    }
    if (reader.TryReadFloat("specular", specular))
    {
        specular = std::clamp(specular, 0.0f, 1.0f);
    }
    if (reader.TryReadFloat("shininess", shininess))
    {
        shininess = std::max(shininess, 1.0f);
    }
    reader.TryReadInt("order", order);
    if (reader.TryReadFloat("depth", depth))
    {
        depth = std::clamp(depth, -1.0f, 1.0f);
    }
    reader.TryReadBool("flippedX", flippedX);
    reader.TryReadBool("flippedY", flippedY);
    reader.TryReadVec2("crop", crop);
    reader.TryReadVec2("offset", offset);
    reader.TryReadVec3("blendColor", blendColor);
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
           normalSource == o->normalSource && specularSource == o->specularSource && alpha == o->alpha &&
           diffuse == o->diffuse && specular == o->specular && shininess == o->shininess && depth == o->depth &&
           order == o->order && flippedX == o->flippedX && flippedY == o->flippedY && crop == o->crop &&
           offset == o->offset && blendColor == o->blendColor && emissive == o->emissive && frame == o->frame;
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
