#pragma once

#include "ecs/Component.h"

namespace kesto
{

// Moves the respawn point when the player touches it.
class Checkpoint : public ComponentOf<Checkpoint, ComponentType::Checkpoint>
{
public:
    void Write(JsonWriter& writer) const override;
    void Read(JsonReader& reader, SystemRegistry* registry) override;
    bool Equals(const Component& other) const override;

    bool activated = false; // the one lit checkpoint; a level may start with one lit
};

} // namespace kesto
