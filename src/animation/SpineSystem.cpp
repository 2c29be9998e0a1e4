#include "animation/SpineSystem.h"

#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "graphics/Sprite.h"

namespace kesto
{

void SpineSystem::Update(EntityList& entities, float dt)
{
    EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    for (const Entity& entity : entities)
    {
        Sprite& sprite = *store.GetComponent<Sprite>(entity);
        if (sprite.usingSpine)
        {
            sprite.spine.Advance(dt);
        }
    }
}

} // namespace kesto
