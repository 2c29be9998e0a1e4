#include "ecs/EntityList.h"

#include <algorithm>

namespace kesto
{

namespace
{

constexpr std::size_t minimumDeadBeforeCompaction = 64;

} // namespace

void EntityList::Append(const Entity& entity)
{
    slots.push_back({entity, true});
    positions[entity.id] = slots.size() - 1;
    ++aliveCount;
}

void EntityList::Remove(std::uint32_t id)
{
    const auto found = positions.find(id);
    if (found == positions.end())
    {
        return;
    }
    slots[found->second].alive = false;
    positions.erase(found);
    --aliveCount;
}

void EntityList::Compact()
{
    if (aliveCount == slots.size())
    {
        return;
    }
    std::deque<Slot> live;
    for (Slot& slot : slots)
    {
        if (slot.alive)
        {
            positions[slot.entity.id] = live.size();
            live.push_back(std::move(slot));
        }
    }
    slots = std::move(live);
}

void EntityList::CompactIfSparse()
{
    const std::size_t dead = slots.size() - aliveCount;
    if (dead >= minimumDeadBeforeCompaction && dead > aliveCount)
    {
        Compact();
    }
}

void EntityList::Sort(const std::function<bool(const Entity&, const Entity&)>& less)
{
    Compact();
    std::stable_sort(slots.begin(), slots.end(),
                     [&](const Slot& a, const Slot& b) { return less(a.entity, b.entity); });
    for (std::size_t i = 0; i < slots.size(); ++i)
    {
        positions[slots[i].entity.id] = i;
    }
}

std::vector<Entity> EntityList::ToVector() const
{
    std::vector<Entity> entities;
    entities.reserve(aliveCount);
    for (const Slot& slot : slots)
    {
        if (slot.alive)
        {
            entities.push_back(slot.entity);
        }
    }
    return entities;
}

} // namespace kesto
