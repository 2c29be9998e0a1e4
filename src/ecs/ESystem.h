#pragma once

#include "ecs/Entity.h"
#include "ecs/EntityList.h"

#include <vector>

namespace kesto
{

class SystemRegistry;

// A component system: run every frame on the entities whose components match its signature.
class ESystem
{
public:
    virtual void Init() = 0;
    // Called with the system's own entity list.
    virtual void Update(EntityList& entities, float dt) = 0;
    // Called by the collision pass when `self` (one of this system's entities) overlaps `other`.
    virtual void CollisionHandler(Entity self, Entity other);
    // The systems whose entities this system's entities are tested against.
    virtual std::vector<ESystem*> CollisionTargets();
    virtual ~ESystem() = default;

    SystemRegistry* registry = nullptr; // set when the system is added to the store; never owns
};

} // namespace kesto
