#pragma once

#include "ecs/Component.h"

namespace kesto
{

// Spins an entity and its light.
class Rotator : public ComponentOf<Rotator, ComponentType::Rotator>
{
public:
    void Write(JsonWriter& writer) const override;
    void Read(JsonReader& reader, SystemRegistry* registry) override;
    bool Equals(const Component& other) const override;

    float speed = 1.0f; // radians per second
    bool ccw = false;   // counter-clockwise; clockwise when clear
};

} // namespace kesto
