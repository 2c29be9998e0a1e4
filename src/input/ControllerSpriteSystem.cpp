#include "input/ControllerSpriteSystem.h"

#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSource.h"
#include "graphics/SpriteSourceManager.h"
#include "input/ControllerSprite.h"
#include "input/MasterInputManager.h"

#include <algorithm>

namespace kesto
{

namespace
{

Vec2 NonNegative(Vec2 v) { return {std::max(v.x, 0.0f), std::max(v.y, 0.0f)}; }

} // namespace

void ControllerSpriteSystem::Update(EntityList& entities, float)
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    SpriteSourceManager& sources = *registry->GetSystem<SpriteSourceManager>();
    MasterInputManager& input = *registry->GetSystem<MasterInputManager>();
    for (Entity& entity : entities)
    {
        auto* transform = store.GetComponent<Transform>(entity);
        auto* sprite = store.GetComponent<Sprite>(entity);
        auto* prompt = store.GetComponent<ControllerSprite>(entity);
        if (prompt->keyboardSprite.empty())
        {
            prompt->keyboardSprite = sprite->spriteSource ? sprite->spriteSource->name : std::string();
            prompt->keyboardScale = transform->GetScale();
        }
        if (input.IsControllerActive())
        {
            sprite->spriteSource = sources.Find(prompt->controllerSprite);
            if (prompt->controllerSize.x != 0.0f || prompt->controllerSize.y != 0.0f)
            {
                transform->SetScale(NonNegative(prompt->controllerSize));
            }
        }
        else
        {
            sprite->spriteSource = sources.Find(prompt->keyboardSprite);
            transform->SetScale(NonNegative(prompt->keyboardScale));
        }
    }
}

} // namespace kesto
