#include "particles/ParticlePool.h"

#include "engine/Random.h"
#include "graphics/Sprite.h"
#include "particles/EmitterShapes.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleTemplate.h"
#include "particles/SpecialEffects.h"

#include <algorithm>

namespace kesto
{

namespace
{

constexpr float halfDiagonal = 0.70710678f; // of a unit square

// A uniformly drawn 16-bit value, 0..65535.
int Random16(Random& random) { return static_cast<int>(random.RandomFloat(0.0f, 65535.0f)); }

Vec2 NonNegative(Vec2 v) { return {std::max(v.x, 0.0f), std::max(v.y, 0.0f)}; }

// The n-th of k particles born in this update (n from 1).
void Birth(Particle& p, const Emission& emission, const PoolStep& step, int n, int k)
{
    const ParticleTemplate& look = *emission.particleTemplate;
    Random& random = *step.random;
    p = Particle{};
    p.position = step.place.position;
    p.alive = true;
    p.seed = Random16(random) - 32768;
    p.color = emission.useBlendColor ? emission.blendColor : look.startColor;
    p.particleTemplate = &look;
    p.life = look.lifetime;
    p.scale = NonNegative(look.startScale);
    const Heading heading = emission.shape->Direction(emission, step.place, random);
    p.velocity = heading.direction * emission.speed;
    if (emission.trail)
    {
        // Spread along the segment the entity moved, the last one where it is now.
        const float along = static_cast<float>(n) / static_cast<float>(k);
        p.position = step.place.previousPosition * (1.0f - along) + step.place.position * along + emission.offset;
        p.rotation = step.place.rotation;
        if (step.sprite)
        {
            p.uvOffset = step.sprite->CellOffset();
            p.flippedX = step.sprite->flippedX;
            p.flippedY = step.sprite->flippedY;
        }
    }
    else
    {
        p.position = emission.shape->Position(emission, step.place, random, heading);
    }
    p.previousPosition = p.position;
    p.angularVelocity = emission.rotationalSpeed;
    if (emission.dualRotation && Random16(random) % 2 == 1)
    {
        p.angularVelocity = -p.angularVelocity;
    }
    for (const auto& effect : emission.effects)
    {
        effect->OnBirth(emission, p, random);
    }
}

void Age(Particle& p, const Emission& emission, const PoolStep& step)
{
    const float dt = step.dt;
    p.life -= dt;
    if (p.life < 0.0f)
    {
        p.alive = false;
        return;
    }
    const ParticleTemplate& look = *p.particleTemplate;
    p.previousPosition = p.position;
    // The pull grows with every update the particle lives; it is not scaled by dt.
    if (look.gravity)
    {
        p.acceleration.y -= look.gravityForce;
    }
    p.velocity += p.acceleration * dt;
    p.position += p.velocity * dt;
    p.rotation += p.angularVelocity * dt;
    p.scale = NonNegative(p.scale + look.scaleRate * dt);
    // 1 at birth, 0 at death.
    const float t = look.lifetime > 0.0f ? p.life / look.lifetime : 0.0f;
    const Vec4 blended = look.startColor * t + look.endColor * (1.0f - t);
    if (emission.trail)
    {
        p.color.w = blended.w;
    }
    else
    {
        p.color = blended;
    }
    for (const auto& effect : emission.effects)
    {
        effect->OnUpdate(p, step.place, emission, step.clock, dt);
    }
}

void Enclose(EmissionSlot& slot, const Particle& p)
{
    const float reach = std::max(p.scale.x, p.scale.y) * halfDiagonal;
    slot.liveMin = {std::min(slot.liveMin.x, p.position.x - reach), std::min(slot.liveMin.y, p.position.y - reach)};
    slot.liveMax = {std::max(slot.liveMax.x, p.position.x + reach), std::max(slot.liveMax.y, p.position.y + reach)};
}

} // namespace

bool UpdatePool(EmissionSlot& slot, int spawn, const PoolStep& step)
{
    const Emission& emission = slot.emission;
    std::vector<Particle>& pool = slot.pool;
    slot.liveMin = {1.0f, 1.0f};
    slot.liveMax = {-1.0f, -1.0f};
    int remaining = slot.liveCount;
    int born = 0;
    int counted = 0;
    for (std::size_t i = 0; i < pool.size() && (remaining > 0 || born < spawn); ++i)
    {
        Particle& p = pool[i];
        if (p.alive)
        {
            --remaining;
            Age(p, emission, step);
        }
        // A slot dead before this update, or just now, takes a newborn.
        if (!p.alive && born < spawn)
        {
            Birth(p, emission, step, ++born, spawn);
        }
        if (p.alive)
        {
            ++counted;
            Enclose(slot, p);
        }
    }
    while (born < spawn)
    {
        Particle& p = pool.emplace_back();
        Birth(p, emission, step, ++born, spawn);
        ++counted;
        Enclose(slot, p);
    }
    slot.liveCount = counted;
    return counted > 0;
}

} // namespace kesto
