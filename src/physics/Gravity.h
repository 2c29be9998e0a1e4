#pragma once

#include "ecs/Component.h"

namespace kesto
{

// Downward acceleration written into the entity's `Rigidbody` by `Physics` every frame.
class Gravity : public ComponentOf<Gravity, ComponentType::Gravity>
{
public:
    static const FieldTable<Gravity>& Fields();
    // One drag "Gravity" showing amount x scale; an edit stores the shown value into amount.
    bool Inspect(SystemRegistry* registry) override;

    // The acceleration the body gets: -(amount × scale) units/s² along y.
    float Acceleration() const { return -(amount * scale); }

    float amount = 1000.0f; // units/s², pointing down
    float scale = 1.0f;     // run-time multiplier set by the player controller (0 while dashing or flying)
};

} // namespace kesto
