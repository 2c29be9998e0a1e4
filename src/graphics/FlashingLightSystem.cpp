#include "graphics/FlashingLightSystem.h"

#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "graphics/FlashingLight.h"
#include "graphics/Sprite.h"

#include <algorithm>
#include <cmath>

namespace kesto
{

namespace
{

// The value of the track at `time`; 0 past the last key, so the loop's end is dark until the time wraps.
float ValueAt(const std::vector<Keyframe>& keys, float time)
{
    if (keys.empty())
    {
        return 1.0f;
    }
    if (keys.size() == 1)
    {
        return keys.front().value;
    }
    for (std::size_t i = 0; i < keys.size(); ++i)
    {
        if (keys[i].time <= time)
        {
            continue;
        }
        if (i == 0)
        {
            // A track that does not start at 0 shows its first value until the first key.
            return keys.front().value;
        }
        const Keyframe& previous = keys[i - 1];
        const float span = keys[i].time - previous.time;
        if (!previous.interpolate || span <= 0.0f)
        {
            return previous.value;
        }
        return previous.value + (keys[i].value - previous.value) * ((time - previous.time) / span);
    }
    return 0.0f;
}

} // namespace

float FlashingLightSystem::Advance(FlashingLight& light, float dt)
{
    light.time += dt;
    // A non-positive or non-finite length would loop forever or divide by zero: the track stays at its start.
    if (!(light.length > 0.0f) || !std::isfinite(light.length) || !std::isfinite(light.time))
    {
        light.time = 0.0f;
    }
    else if (light.time > light.length)
    {
        // As subtracting whole lengths would: a multiple of the length lands on the length, not on 0.
        const float wrapped = std::fmod(light.time, light.length);
        light.time = wrapped > 0.0f ? wrapped : light.length;
    }
    return ValueAt(light.keys, light.time);
}

void FlashingLightSystem::Update(EntityList& entities, float dt)
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    for (const Entity& entity : entities)
    {
        auto& light = *store.GetComponent<FlashingLight>(entity);
        ReportDisorder(entity, light);
        store.GetComponent<Sprite>(entity)->alpha = std::clamp(Advance(light, dt), 0.0f, 1.0f);
    }
}

void FlashingLightSystem::ReportDisorder(const Entity& entity, const FlashingLight& light)
{
    const bool ordered = std::is_sorted(light.keys.begin(), light.keys.end(),
                                        [](const Keyframe& a, const Keyframe& b) { return a.time < b.time; });
    if (!ordered && reportedDisorder.insert(entity.id).second)
    {
        registry->GetSystem<Trace>()->Report("GRAPHICS", entity.name,
                                             "flashing light keys are out of time order; keys that go back in time "
                                             "are never reached");
    }
}

} // namespace kesto
