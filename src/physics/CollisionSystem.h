#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

class EntityStore;
class SystemStore;

// The collision pass. Every system whose entities carry a `Collider` has its entities tested against the
// entities of the systems it names as collision targets; for every overlapping pair the target system's
// handler runs at once, as handler(own entity, other entity). In editor mode the boxes are refreshed but no
// pair is tested. It owns no entities itself.
class CollisionSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList& entities, float dt) override;

private:
    // Queues the collider outlines and body velocities on the renderer's debug overlay (F1).
    void DrawDebug(EntityStore& store, SystemStore& systems);
    // Tests one entity against its system's targets; stops early when a handler takes its collider away.
    void TestAgainstTargets(const Entity& self, const std::vector<ESystem*>& targets, EntityStore& store,
                            SystemStore& systems);
};

} // namespace kesto
