#pragma once

#include "ecs/Component.h"
#include "engine/Vector.h"

namespace kesto
{

// Velocity and acceleration of a moving body, integrated by `Physics`. Nothing is serialized: a body always
// starts at rest, and behaviours write these fields directly every frame.
class Rigidbody : public ComponentOf<Rigidbody, ComponentType::Rigidbody>
{
public:
    // Nothing is described: bodies write, read and show nothing, and any two compare equal.
    static const FieldTable<Rigidbody>& Fields();

    Vec2 acceleration{0.0f, 0.0f}; // units/s²; y is overwritten every frame when the entity has `Gravity`
    Vec2 velocity{0.0f, 0.0f};     // units/s
    float angularVelocity = 0.0f;  // radians/s, added to the `Transform` rotation
};

} // namespace kesto
