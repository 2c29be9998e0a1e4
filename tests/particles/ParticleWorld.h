#pragma once

#include "ecs/JsonReader.h"
#include "ecs/Transform.h"
#include "engine/Random.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleSystem.h"
#include "particles/ParticleTemplateManager.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>
#include <string>

namespace kesto::test
{

// The headless engine seen from the particle system: templates made by the test, emitters read from JSON as an
// archetype's are, and the particle system stepped on its own.
struct ParticleWorld
{
    ParticleWorld()
    {
        world.Init();
        world.registry.GetSystem<Random>()->Seed(5);
        templates = world.registry.GetSystem<ParticleTemplateManager>();
    }

    // A template that lives `lifetime` seconds, white and 10 units wide for life unless the test changes it.
    const ParticleTemplate& AddTemplate(const std::string& name, float lifetime = 100.0f)
    {
        ParticleTemplate look;
        look.name = name;
        look.lifetime = lifetime;
        look.startScale = {10.0f, 10.0f};
        look.endScale = {10.0f, 10.0f};
        look.ComputeScaleRate();
        return templates->Add(look);
    }

    // A template of one lifetime whose colour and scale go from their start to their end values over it.
    const ParticleTemplate& AddLook(const std::string& name, Vec4 startColor, Vec4 endColor, Vec2 startScale,
                                    Vec2 endScale, float lifetime = 1.0f)
    {
        ParticleTemplate look;
        look.name = name;
        look.lifetime = lifetime;
        look.startColor = startColor;
        look.endColor = endColor;
        look.startScale = startScale;
        look.endScale = endScale;
        look.ComputeScaleRate();
        return templates->Add(look);
    }

    // An entity at `position` whose emitter is read from `json`, warm-up done (or skipped) as the test asks.
    Entity Spawn(const std::string& json, Vec2 position = {}, bool warmUp = false)
    {
        const Entity entity("Emitter");
        auto* transform = world.Store().AddComponent<Transform>(entity);
        transform->SetTranslation(position);
        transform->SetPreviousTranslation(position);
        auto* emitter = world.Store().AddComponent<ParticleEmitter>(entity);
        JsonReader reader;
        EXPECT_TRUE(reader.Parse(json, "emitter.json", world.trace)) << json;
        emitter->Read(reader, &world.registry);
        emitter->prewarmPending = warmUp;
        return entity;
    }

    void Step(float dt)
    {
        world.Systems().GetSystem<ParticleSystem>()->Update(world.Systems().GetEntityList<ParticleSystem>(), dt);
    }

    ParticleEmitter& Emitter(const Entity& entity) { return *world.Store().GetComponent<ParticleEmitter>(entity); }
    EmissionSlot& Slot(const Entity& entity, std::size_t index = 0) { return Emitter(entity).emissions[index]; }
    Transform& TransformOf(const Entity& entity) { return *world.Store().GetComponent<Transform>(entity); }

    TestWorld world;
    ParticleTemplateManager* templates = nullptr;
};

// An emitter of one emission named "E" with the given keys (JSON members, without braces).
inline std::string OneEmission(const std::string& keys)
{
    return R"({"Emissions Count": 1, "Emission0": {"Emission Name": "E", )" + keys + "}}";
}

} // namespace kesto::test
