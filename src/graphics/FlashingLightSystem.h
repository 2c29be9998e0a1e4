#pragma once

#include "ecs/ESystem.h"

#include <cstdint>
#include <unordered_set>

namespace kesto
{

class FlashingLight;

// Flashes lights: each sprite's opacity follows its light's looping keyframe track.
class FlashingLightSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList& entities, float dt) override;

    // Advances the track's time by dt, looping over its length, and returns the opacity it gives (not clamped).
    static float Advance(FlashingLight& light, float dt);

private:
    // A track whose keys go back in time is played as it is, but reported once per entity.
    void ReportDisorder(const Entity& entity, const FlashingLight& light);

    std::unordered_set<std::uint32_t> reportedDisorder;
};

} // namespace kesto
