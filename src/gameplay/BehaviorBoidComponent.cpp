#include "gameplay/BehaviorBoidComponent.h"

#include <array>

namespace kesto
{

// The boid modes by their state number, as the editor names them.
constexpr std::array<const char*, 5> boidModeNames = {"Boid", "V-Formation", "Cyclone", "straight", "stop"};

const FieldTable<BehaviorBoidComponent>& BehaviorBoidComponent::Fields()
{
    // The state is the boid's own mode, which the controller usually overrides; it is not compared.
    static const FieldTable<BehaviorBoidComponent> fields{
        Field<&BehaviorBoidComponent::state>("state").Label("##state").Radio(boidModeNames).Uncompared(),
        Field<&BehaviorBoidComponent::speed>("speed").Label("Speed").Drag(0.1f),
        Field<&BehaviorBoidComponent::respawnDelay>("respawn_delay").Label("Respawn Delay").Drag(0.1f),
        Field<&BehaviorBoidComponent::loop>("loop").Label("Loop"),
    };
    return fields;
}

bool BehaviorBoidComponent::Inspect(SystemRegistry* registry)
{
    return Fields().InspectOnly(*this, registry, {"respawn_delay", "speed", "loop", "state"});
}

} // namespace kesto
