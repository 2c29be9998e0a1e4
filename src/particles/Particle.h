#pragma once

#include "engine/Vector.h"

namespace kesto
{

struct ParticleTemplate;

// One particle: not an entity, just its own place, motion, life and look, in world coordinates.
struct Particle
{
    Vec2 position;
    Vec2 previousPosition;
    float rotation = 0.0f;        // radians, counter-clockwise
    Vec2 scale{100.0f, 100.0f};   // world units
    Vec2 acceleration;            // world units per second squared
    Vec2 velocity;                // world units per second
    float angularVelocity = 0.0f; // radians per second
    float life = 0.0f;            // seconds left
    int seed = 0;                 // -32768..32767, drawn at birth
    bool alive = false;
    Vec2 uvOffset;         // sheet cell of a trail particle
    bool flippedX = false; // trail particles copy the entity's sprite
    bool flippedY = false;
    Vec4 color{1.0f, 1.0f, 1.0f, 1.0f};                 // rgba now
    const ParticleTemplate* particleTemplate = nullptr; // the template it was born with; owned by the manager
};

} // namespace kesto
