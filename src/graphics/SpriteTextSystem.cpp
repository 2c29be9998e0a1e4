#include "graphics/SpriteTextSystem.h"

#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "graphics/SpriteText.h"
#include "ui/TimerSystem.h"

namespace kesto
{

void SpriteTextSystem::Update(EntityList& entities, float)
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    const TimerSystem& timer = *registry->GetSystem<TimerSystem>();
    for (const Entity& entity : entities)
    {
        SpriteText& text = *store.GetComponent<SpriteText>(entity);
        text.SetText(TimerSystem::FormatTime(timer.Readout(text.id)));
    }
}

} // namespace kesto
