#pragma once

#include "particles/Emission.h"

namespace kesto
{

class Random;
class Sprite;
struct EmissionSlot;

// What one update of an emission's particles needs from the emitting entity and the particle system.
struct PoolStep
{
    EmitterPlace place;
    const Sprite* sprite = nullptr; // the entity's sprite, whose cell and flips trail particles copy; may be null
    Random* random = nullptr;       // never null
    float clock = 0.0f;             // the particle system's time, seconds
    float dt = 0.0f;
};

// Ages every live particle of the slot and gives birth to `spawn` newborns (the emission must have a template when
// spawn > 0), reusing dead slots in pool order (one whose particle dies in this update included) before the pool
// grows. Updates the live count and the box around the
// live particles; true when any particle is alive afterwards.
bool UpdatePool(EmissionSlot& slot, int spawn, const PoolStep& step);

} // namespace kesto
