#pragma once

#include "ecs/Entity.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <unordered_map>
#include <vector>

namespace kesto
{

// The entities that match one component system, in the order they came to match.
// A system may add or destroy entities while it walks its own list (or another's): removed entries become
// tombstones that the walk skips, entries appended during a walk are visited by it, and references to entries
// stay valid until the store compacts the list between system updates.
class EntityList
{
    struct Slot
    {
        Entity entity;
        bool alive = true;
    };

public:
    class Sentinel
    {
    };

    class Iterator
    {
    public:
        Iterator(EntityList* list, std::size_t index) : owner(list), position(index) { SkipDead(); }
        Entity& operator*() const { return owner->slots[position].entity; }
        Entity* operator->() const { return &owner->slots[position].entity; }
        Iterator& operator++()
        {
            ++position;
            SkipDead();
            return *this;
        }
        // The end is re-read on every comparison so entries appended mid-walk are reached.
        bool operator==(Sentinel) const { return position >= owner->slots.size(); }

    private:
        void SkipDead()
        {
            while (position < owner->slots.size() && !owner->slots[position].alive)
            {
                ++position;
            }
        }

        EntityList* owner;
        std::size_t position;
    };

    Iterator begin() { return Iterator(this, 0); }
    Sentinel end() { return {}; }

    std::size_t size() const { return aliveCount; }
    bool empty() const { return aliveCount == 0; }
    bool Contains(std::uint32_t id) const { return positions.contains(id); }

    // Appends an entity that is not in the list yet.
    void Append(const Entity& entity);
    // Marks the entity's entry dead; no effect when it is not in the list.
    void Remove(std::uint32_t id);
    // Drops dead entries; only safe while nobody walks the list.
    void Compact();
    // Compacts once dead entries outnumber live ones, keeping removal cost constant on average.
    void CompactIfSparse();

    // Reorders the live entries (dead ones are dropped first); only safe while nobody walks the list.
    void Sort(const std::function<bool(const Entity&, const Entity&)>& less);

    std::vector<Entity> ToVector() const;

private:
    std::deque<Slot> slots;
    std::unordered_map<std::uint32_t, std::size_t> positions;
    std::size_t aliveCount = 0;
};

} // namespace kesto
