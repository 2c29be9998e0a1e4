#pragma once

#include "ecs/Component.h"

namespace kesto
{

// Spins an entity and its light.
class Rotator : public ComponentOf<Rotator, ComponentType::Rotator>
{
public:
    static const FieldTable<Rotator>& Fields();

    float speed = 1.0f; // radians per second
    bool ccw = false;   // counter-clockwise; clockwise when clear
};

} // namespace kesto
