#include "ui/UI_InputSystem.h"

#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "graphics/Sprite.h"
#include "input/DefaultBindings.h"
#include "input/MasterInputManager.h"
#include "ui/ProgressBar.h"
#include "ui/ProgressBarVisual.h"

namespace kesto
{

void UI_InputSystem::Init() { AddClickBindings(*registry->GetSystem<MasterInputManager>()); }

void UI_InputSystem::Update(EntityList& entities, float)
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    for (Entity& entity : entities)
    {
        auto* bar = store.GetComponent<ProgressBar>(entity);
        auto* sprite = store.GetComponent<Sprite>(entity);
        if (bar && sprite)
        {
            UpdateProgressBarVisual(*bar, *sprite, *store.GetComponent<Transform>(entity));
        }
    }
}

} // namespace kesto
