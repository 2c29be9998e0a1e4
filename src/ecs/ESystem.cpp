#include "ecs/ESystem.h"

namespace kesto
{

void ESystem::CollisionHandler(Entity, Entity) {}

std::vector<ESystem*> ESystem::CollisionTargets() { return {}; }

} // namespace kesto
