#include "gameplay/CheckpointSystem.h"

#include "animation/Animation.h"
#include "audio/SoundEmitter.h"
#include "ecs/ArchetypeFactory.h"
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "gameplay/BehaviorPlayer.h"
#include "gameplay/Checkpoint.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSourceManager.h"
#include "particles/ParticleEmitter.h"

namespace kesto
{

void CheckpointSystem::Update(EntityList& entities, float)
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    for (const Entity& entity : entities)
    {
        auto* sprite = store.GetComponent<Sprite>(entity);
        auto* animation = store.GetComponent<Animation>(entity);
        if (!store.GetComponent<Checkpoint>(entity)->activated || !sprite || !animation || !animation->finished)
        {
            continue;
        }
        sprite->spriteSource = registry->GetSystem<SpriteSourceManager>()->Find(litSheet);
        animation->Restart();
    }
}

void CheckpointSystem::CollisionHandler(Entity self, Entity other)
{
    EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    auto& checkpoint = *store.GetComponent<Checkpoint>(other);
    if (checkpoint.activated)
    {
        return;
    }
    checkpoint.activated = true;
    if (auto* sounds = store.GetComponent<SoundEmitter>(other))
    {
        sounds->QueueSound({"event:/SFX/Environment/CHECKPOINT"});
    }
    if (auto* sprite = store.GetComponent<Sprite>(other))
    {
        sprite->spriteSource = registry->GetSystem<SpriteSourceManager>()->Find(lightingSheet);
    }
    if (auto* animation = store.GetComponent<Animation>(other))
    {
        animation->Restart();
    }
    if (auto* particles = store.GetComponent<ParticleEmitter>(other))
    {
        particles->PlayEmission("Ember");
    }
    auto* player = store.GetComponent<BehaviorPlayer>(self);
    const auto* transform = store.GetComponent<Transform>(other);
    if (player && transform)
    {
        player->respawnPoint = transform->GetTranslation();
    }
    for (const Entity& entity : registry->GetSystem<ECS>()->systemStore.GetEntityList<CheckpointSystem>())
    {
        auto& lit = *store.GetComponent<Checkpoint>(entity);
        if (entity != other && lit.activated)
        {
            lit.activated = false;
            PutOut(entity);
        }
    }
}

void CheckpointSystem::PutOut(const Entity& checkpoint)
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    if (auto* animation = store.GetComponent<Animation>(checkpoint))
    {
        animation->playing = false;
        animation->playOnStart = false;
    }
    auto* sprite = store.GetComponent<Sprite>(checkpoint);
    if (!sprite)
    {
        return;
    }
    sprite->frame = 0;
    const ArchetypeFactory& factory = *registry->GetSystem<ArchetypeFactory>();
    const auto* look = factory.HasArchetype(checkpoint.name)
                           ? static_cast<const Sprite*>(factory.GetArchetype(checkpoint.name)[Sprite::typeIndex].get())
                           : nullptr;
    if (!look)
    {
        if (reportedNoArchetype.insert(checkpoint.id).second)
        {
            registry->GetSystem<Trace>()->Report("GAMEPLAY", checkpoint.name,
                                                 "no archetype of this name has a Sprite, so the checkpoint keeps its "
                                                 "lit sheet when it goes dark; name it after its archetype");
        }
        return;
    }
    sprite->spriteSource = look->spriteSource;
    sprite->mesh = look->mesh;
}

} // namespace kesto
