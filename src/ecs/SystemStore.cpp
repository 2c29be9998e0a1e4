#include "ecs/SystemStore.h"

#include "ecs/EntityStore.h"
#include "engine/SystemRegistry.h"

#include <algorithm>
#include <cmath>

namespace kesto
{

namespace
{

// A bound on the substeps of one frame, for steps far beyond the frame loop's clamp.
constexpr int maxSubstepsPerFrame = 1000;
// A step within this fraction of a whole number of substeps takes no extra one (1/60 s is two of 1/120 s, even
// after rounding).
constexpr float substepRounding = 1e-3f;

} // namespace

void SystemStore::AddSystem(std::unique_ptr<ESystem> system, Signature required, Signature excluded, bool runInGame,
                            bool runInEditor, SystemRate rate)
{
    const std::type_index type = typeid(*system);
    if (systems.contains(type))
    {
        throw DuplicateSystemError("SystemStore::AddSystem", type.name());
    }
    system->registry = registry;
    auto entry = std::make_unique<Entry>();
    entry->system = std::move(system);
    entry->required = required;
    entry->excluded = excluded;
    entry->runInGame = runInGame;
    entry->runInEditor = runInEditor;
    entry->rate = rate;
    entry->entities = &GetEntityList(type);
    systems.emplace(type, entry.get());
    entries.push_back(std::move(entry));
}

void SystemStore::AttachRegistry(SystemRegistry* owner)
{
    registry = owner;
    for (const auto& entry : entries)
    {
        entry->system->registry = owner;
    }
}

const SystemStore::Entry& SystemStore::Find(std::type_index type) const
{
    const auto found = systems.find(type);
    if (found == systems.end())
    {
        throw MissingSystemError(type.name());
    }
    return *found->second;
}

EntityList& SystemStore::GetEntityList(std::type_index type) { return entityLists[type]; }

std::vector<ESystem*> SystemStore::GetSystemsWithComponents(Signature signature) const
{
    std::vector<ESystem*> found;
    for (const auto& entry : entries)
    {
        if ((entry->required & signature) == signature)
        {
            found.push_back(entry->system.get());
        }
    }
    return found;
}

bool SystemStore::Matches(const Entity& entity, const Entry& entry) const
{
    for (int i = 0; i < componentTypeCount; ++i)
    {
        const auto bit = static_cast<std::size_t>(i);
        if (!entry.required[bit] && !entry.excluded[bit])
        {
            continue;
        }
        const bool has = entityStore->HasComponent(entity, i);
        if ((entry.required[bit] && !has) || (entry.excluded[bit] && has))
        {
            return false;
        }
    }
    return true;
}

void SystemStore::OnComponentAdded(const Entity& entity, int index)
{
    const auto bit = static_cast<std::size_t>(index);
    for (const auto& entry : entries)
    {
        EntityList& list = *entry->entities;
        if (list.Contains(entity.id))
        {
            if (entry->excluded[bit])
            {
                list.Remove(entity.id);
            }
        }
        else if (entry->required[bit] && Matches(entity, *entry))
        {
            list.Append(entity);
        }
    }
    if (!updating)
    {
        CompactSparseLists();
    }
}

void SystemStore::OnComponentRemoved(const Entity& entity, int index)
{
    const auto bit = static_cast<std::size_t>(index);
    for (const auto& entry : entries)
    {
        EntityList& list = *entry->entities;
        if (list.Contains(entity.id))
        {
            if (entry->required[bit])
            {
                list.Remove(entity.id);
            }
        }
        else if (entry->excluded[bit] && Matches(entity, *entry))
        {
            list.Append(entity);
        }
    }
    if (!updating)
    {
        CompactSparseLists();
    }
}

void SystemStore::CompactSparseLists()
{
    for (auto& [type, list] : entityLists)
    {
        list.CompactIfSparse();
    }
}

void SystemStore::InitAll()
{
    for (std::size_t i = 0; i < entries.size(); ++i)
    {
        entries[i]->system->Init();
    }
}

int SystemStore::SubstepCount(float dt) const
{
    if (!(dt > 0.0f) || !(maxSubstep > 0.0f))
    {
        return 1;
    }
    const float parts = std::ceil(dt / maxSubstep - substepRounding);
    return static_cast<int>(std::clamp(parts, 1.0f, static_cast<float>(maxSubstepsPerFrame)));
}

void SystemStore::UpdateAll(float dt)
{
    for (auto& [type, list] : entityLists)
    {
        list.Compact();
    }
    updating = true;
    // Equal parts depend on nothing but the step, so the same recorded steps replay the same substeps.
    split.frameDt = dt;
    split.count = SubstepCount(dt);
    split.substepDt = dt / static_cast<float>(split.count);
    for (split.index = 0; split.index < split.count; ++split.index)
    {
        RunPass(SystemRate::PerSubstep, split.substepDt, split.index > 0);
    }
    split.index = split.count - 1;
    RunPass(SystemRate::PerFrame, dt, false);
    updating = false;
}

void SystemStore::RunPass(SystemRate rate, float dt, bool repeatedSubstep)
{
    if (beginPass)
    {
        beginPass(repeatedSubstep);
    }
    for (std::size_t i = 0; i < entries.size(); ++i)
    {
        Entry& entry = *entries[i];
        if (entry.rate == rate && (editorMode ? entry.runInEditor : entry.runInGame))
        {
            entry.system->Update(*entry.entities, dt);
        }
    }
}

void SystemStore::DestroyAll()
{
    systems.clear();
    entries.clear();
}

} // namespace kesto
