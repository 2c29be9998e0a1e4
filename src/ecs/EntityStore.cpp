#include "ecs/EntityStore.h"

#include "ecs/JsonReader.h"
#include "ecs/SystemStore.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"

#include <algorithm>

namespace kesto
{

EntityStore::EntityStore() = default;

EntityStore::~EntityStore() = default;

Component* EntityStore::AddComponent(const Entity& entity, const Component& prototype, int index)
{
    auto& table = componentTables.at(static_cast<std::size_t>(index));
    const auto existing = table.find(entity.id);
    if (existing != table.end())
    {
        return existing->second.get();
    }
    Component* stored = table.emplace(entity.id, prototype.Clone()).first->second.get();
    if (!entity.name.empty())
    {
        names[entity.id] = entity.name;
    }
    if (systemStore)
    {
        systemStore->OnComponentAdded(entity, index);
    }
    return stored;
}

Component* EntityStore::GetComponent(const Entity& entity, int index) const
{
    if (index < 0 || index >= componentTypeCount)
    {
        return nullptr;
    }
    const auto& table = componentTables[static_cast<std::size_t>(index)];
    const auto found = table.find(entity.id);
    return found == table.end() ? nullptr : found->second.get();
}

void EntityStore::RemoveComponent(const Entity& entity, int index)
{
    auto& table = componentTables.at(static_cast<std::size_t>(index));
    const auto found = table.find(entity.id);
    if (found == table.end())
    {
        return;
    }
    // Keep the component alive until it is out of the table, so its destructor sees a consistent store.
    std::unique_ptr<Component> removed = std::move(found->second);
    table.erase(found);
    removed.reset();
    if (systemStore)
    {
        systemStore->OnComponentRemoved(entity, index);
    }
}

void EntityStore::DestroyEntity(const Entity& entity)
{
    for (int index = 0; index < componentTypeCount; ++index)
    {
        RemoveComponent(entity, index);
    }
}

std::vector<Entity> EntityStore::GetEntities(std::initializer_list<ComponentType> types) const
{
    std::vector<Entity> found;
    if (types.size() == 0)
    {
        return found;
    }
    const int lowest = IndexOf(*std::min_element(types.begin(), types.end()));
    for (const auto& [id, component] : componentTables[static_cast<std::size_t>(lowest)])
    {
        const Entity candidate = Entity::FromId(id, NameOf(id));
        const bool hasAll = std::all_of(types.begin(), types.end(),
                                        [&](ComponentType type) { return HasComponent(candidate, IndexOf(type)); });
        if (hasAll)
        {
            found.push_back(candidate);
        }
    }
    return found;
}

void EntityStore::ReadComponents(const Entity& entity, JsonReader& reader, SystemRegistry* readRegistry)
{
    const Trace* trace = readRegistry ? readRegistry->GetSystem<Trace>() : nullptr;
    for (int index = 0; index < componentTypeCount; ++index)
    {
        Component* component = GetComponent(entity, index);
        if (component && reader.Enter(component->TypeName()))
        {
            component->Read(reader, readRegistry);
            reader.Leave();
        }
        else if (!component && trace && trace->checkingData && reader.HasMember(ComponentTypeName(index)))
        {
            TraceReport(readRegistry, "DATA", reader.Where(),
                        "overrides " + std::string(ComponentTypeName(index)) + ", which the archetype \"" +
                            entity.name + "\" does not have; ignored");
        }
    }
}

std::string EntityStore::NameOf(std::uint32_t id) const
{
    const auto found = names.find(id);
    return found == names.end() ? std::string() : found->second;
}

std::unique_ptr<Component> EntityStore::NewComponent(int index) const
{
    if (index < 0 || index >= componentTypeCount || !componentFactory)
    {
        return nullptr;
    }
    return componentFactory(index);
}

const Component* EntityStore::GetDefaultComponent(int index)
{
    if (index < 0 || index >= componentTypeCount)
    {
        return nullptr;
    }
    auto& slot = defaultComponents[static_cast<std::size_t>(index)];
    if (!slot)
    {
        slot = NewComponent(index);
    }
    return slot.get();
}

} // namespace kesto
