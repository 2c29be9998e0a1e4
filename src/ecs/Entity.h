#pragma once

#include <cstdint>
#include <string>

namespace kesto
{

// An entity is an id with an optional name. Ids come from one counter starting at 1 and are never reused;
// id 0 means "no entity".
struct Entity
{
    // A new entity with a fresh id.
    Entity();
    explicit Entity(std::string entityName);

    // Refers to an existing id; used by the store when it hands out entities it already holds.
    static Entity FromId(std::uint32_t existingId, std::string entityName);
    static Entity None();

    bool IsValid() const { return id != 0; }
    bool operator==(const Entity& other) const { return id == other.id; }

    std::uint32_t id = 0;
    std::string name;

private:
    struct ExistingTag
    {
    };
    Entity(ExistingTag, std::uint32_t existingId, std::string entityName);
};

} // namespace kesto
