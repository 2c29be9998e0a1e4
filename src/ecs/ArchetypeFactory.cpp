#include "ecs/ArchetypeFactory.h"

#include "ecs/ECS.h"
#include "ecs/JsonReader.h"
#include "engine/AssetPath.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace kesto
{

namespace
{

constexpr std::size_t extensionLength = 5; // ".json"

} // namespace

ArchetypeFactory::ArchetypeFactory(std::string_view assetRoot) : folder(UnderAssetRoot(assetRoot, "Data/Archetypes")) {}

void ArchetypeFactory::Init()
{
    if (folder.empty())
    {
        return;
    }
    Trace* trace = registry->GetSystem<Trace>();
    std::error_code error;
    std::filesystem::directory_iterator entries(AssetPath(folder), error);
    if (error)
    {
        trace->Report("DATA", folder, "cannot list the archetype folder: " + error.message());
        return;
    }
    // Sorted so every machine loads (and lists) archetypes in the same order.
    std::vector<std::string> fileNames;
    for (const auto& entry : entries)
    {
        if (entry.is_regular_file())
        {
            fileNames.push_back(entry.path().filename().string());
        }
    }
    std::sort(fileNames.begin(), fileNames.end());
    for (const std::string& fileName : fileNames)
    {
        LoadFile(fileName);
    }
}

void ArchetypeFactory::LoadFile(const std::string& fileName)
{
    Trace* trace = registry->GetSystem<Trace>();
    if (fileName.size() <= extensionLength)
    {
        trace->Report("DATA", folder + "/" + fileName, "file name too short to name an archetype; skipped");
        return;
    }
    const std::string name = fileName.substr(0, fileName.size() - extensionLength);
    JsonReader reader;
    reader.Open(folder + "/", fileName, trace);
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    Prototypes prototypes;
    for (int index = 0; index < componentTypeCount; ++index)
    {
        if (!reader.Enter(ComponentTypeName(index)))
        {
            continue;
        }
        if (std::unique_ptr<Component> component = store.NewComponent(index))
        {
            component->Read(reader, registry);
            prototypes[static_cast<std::size_t>(index)] = std::move(component);
        }
        reader.Leave();
    }
    archetypes[name] = std::move(prototypes);
    archetypeNames.push_back(name);
}

const ArchetypeFactory::Prototypes& ArchetypeFactory::GetArchetype(const std::string& name) const
{
    const auto found = archetypes.find(name);
    if (found == archetypes.end())
    {
        throw std::out_of_range("ArchetypeFactory::GetArchetype: no archetype \"" + name +
                                "\" (invalid map<K, T> key)");
    }
    return found->second;
}

Entity ArchetypeFactory::CreateFromArchetype(const std::string& name, bool sortRenderList)
{
    const auto found = archetypes.find(name);
    if (found == archetypes.end())
    {
        if (reportedUnknown.insert(name).second)
        {
            registry->GetSystem<Trace>()->Report("DATA", name, "no such archetype; no entity created");
        }
        return Entity::None();
    }
    ECS* ecs = registry->GetSystem<ECS>();
    Entity entity(name);
    for (int index = 0; index < componentTypeCount; ++index)
    {
        const auto& prototype = found->second[static_cast<std::size_t>(index)];
        if (prototype)
        {
            ecs->entityStore.AddComponent(entity, *prototype, index);
        }
    }
    if (sortRenderList)
    {
        ecs->SortRenderList();
    }
    return entity;
}

Entity ArchetypeFactory::CreateFromJSON(JsonReader& reader)
{
    std::string name;
    reader.TryReadString("Name", name);
    if (!archetypes.contains(name))
    {
        registry->GetSystem<Trace>()->Report("DATA", reader.Where(),
                                             "entity names the archetype \"" + name +
                                                 "\", which does not exist; no entity created");
        reader.SkipCurrent();
        return Entity::None();
    }
    Entity entity = CreateFromArchetype(name, false);
    EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    std::vector<std::string> components;
    if (reader.TryReadStringList(componentsKey, components))
    {
        SetComponentTypes(store, entity, components);
    }
    store.ReadComponents(entity, reader, registry);
    return entity;
}

void ArchetypeFactory::SetComponentTypes(EntityStore& store, const Entity& entity,
                                         const std::vector<std::string>& typeNames)
{
    for (int index = 0; index < componentTypeCount; ++index)
    {
        const bool listed = std::find(typeNames.begin(), typeNames.end(), ComponentTypeName(index)) != typeNames.end();
        if (!listed)
        {
            store.RemoveComponent(entity, index);
        }
        else if (!store.HasComponent(entity, index))
        {
            if (std::unique_ptr<Component> added = store.NewComponent(index))
            {
                store.AddComponent(entity, *added, index);
            }
        }
    }
}

std::vector<std::string> ArchetypeNames(SystemRegistry* registry)
{
    const auto* factory = registry ? registry->GetSystem<ArchetypeFactory>() : nullptr;
    return factory ? factory->archetypeNames : std::vector<std::string>();
}

} // namespace kesto
