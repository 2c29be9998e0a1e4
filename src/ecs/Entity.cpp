#include "ecs/Entity.h"

#include <atomic>

namespace kesto
{

namespace
{

// The one process-wide id counter.
std::atomic<std::uint32_t> nextEntityId{1};

} // namespace

Entity::Entity() : id(nextEntityId++) {}

Entity::Entity(std::string entityName) : id(nextEntityId++), name(std::move(entityName)) {}

Entity::Entity(ExistingTag, std::uint32_t existingId, std::string entityName)
    : id(existingId), name(std::move(entityName))
{
}

Entity Entity::FromId(std::uint32_t existingId, std::string entityName)
{
    return Entity(ExistingTag{}, existingId, std::move(entityName));
}

Entity Entity::None() { return Entity(ExistingTag{}, 0, {}); }

} // namespace kesto
