#include "editor/LevelFile.h"

#include "ecs/ArchetypeFactory.h"
#include "ecs/EntityStore.h"
#include "ecs/JsonWriter.h"
#include "editor/LevelSettings.h"

#include <fstream>
#include <system_error>

namespace kesto
{

bool WriteEntityObject(JsonWriter& writer, const EntityStore& store, const ArchetypeFactory& factory,
                       const Entity& entity)
{
    if (!factory.HasArchetype(entity.name))
    {
        return false;
    }
    const ArchetypeFactory::Prototypes& prototypes = factory.GetArchetype(entity.name);
    std::vector<std::string> types;
    bool asArchetype = true;
    for (int index = 0; index < componentTypeCount; ++index)
    {
        const bool has = store.HasComponent(entity, index);
        asArchetype = asArchetype && has == (prototypes[static_cast<std::size_t>(index)] != nullptr);
        if (has)
        {
            types.emplace_back(ComponentTypeName(index));
        }
    }
    writer.BeginObject("Archetype");
    writer.WriteString("Name", entity.name);
    if (!asArchetype)
    {
        writer.WriteStringList(ArchetypeFactory::componentsKey, types);
    }
    for (int index = 0; index < componentTypeCount; ++index)
    {
        if (const Component* component = store.GetComponent(entity, index))
        {
            writer.BeginObject(component->TypeName());
            component->Write(writer);
            writer.EndObject();
        }
    }
    writer.EndObject();
    return true;
}

std::string LevelText(const LevelSettings* settings, const EntityStore& store, const ArchetypeFactory& factory,
                      const std::vector<Entity>& entities, int* skipped)
{
    JsonWriter writer;
    if (settings)
    {
        WriteLevelSettings(writer, *settings);
    }
    for (const Entity& entity : entities)
    {
        if (!WriteEntityObject(writer, store, factory, entity) && skipped)
        {
            ++*skipped;
        }
    }
    return writer.Finish() + "\n";
}

std::string WriteFileAtomically(const std::filesystem::path& path, const std::string& text,
                                const std::function<void()>& beforeRename)
{
    std::filesystem::path temporary = path;
    temporary += ".saving";
    // Whatever stops the save before the rename leaves no temporary file behind.
    struct RemoveUnlessRenamed
    {
        const std::filesystem::path& file;
        bool renamed = false;
        ~RemoveUnlessRenamed()
        {
            std::error_code ignored;
            if (!renamed)
            {
                std::filesystem::remove(file, ignored);
            }
        }
    } guard{temporary};
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << text;
        file.flush();
        if (!file)
        {
            return "cannot write " + temporary.string();
        }
    }
    if (beforeRename)
    {
        beforeRename();
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error)
    {
        return "cannot replace " + path.string() + ": " + error.message();
    }
    guard.renamed = true;
    return {};
}

} // namespace kesto
