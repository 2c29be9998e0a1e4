#include "particles/EmissionModes.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kesto
{

namespace
{

constexpr float fastRate = 60.0f;     // per second; from here on an update may give more than one
constexpr int mostPerSecond = 100000; // particles or bursts a second the data may ask for
constexpr float longestTime = 3600.0f;

// A mode that has run out switches an emission that is not endless off; true when it did.
bool SwitchedOffWhenSpent(Emission& emission, bool spent)
{
    if (emission.endless || !spent)
    {
        return false;
    }
    emission.active = false;
    return true;
}

} // namespace

int StepEvents(float rate, float& accumulator, float dt)
{
    if (!(rate > 0.0f))
    {
        return 0;
    }
    const float many = rate * dt;
    // A fast rate with a short step (a substep, or 60 a second at a little over 60 frames a second) would give
    // trunc(< 1) = 0 for ever; it is timed like a slow rate instead.
    if (rate >= fastRate && many >= 1.0f)
    {
        return static_cast<int>(many);
    }
    accumulator += dt;
    const float period = 1.0f / rate;
    if (accumulator - period >= 0.0f)
    {
        accumulator -= period;
        return 1;
    }
    return 0;
}

const FieldTable<Emission::LifetimeEmission>& Emission::LifetimeEmission::Fields()
{
    using L = LifetimeEmission;
    static const FieldTable<L> fields{
        Field<&L::particlesPerSecond>("Particles Per Second").Label("Particles Per Second").Range(0.0f),
        Field<&L::lifetime>("Lifetime").Label("Lifetime").Drag(0.01f).Range(0.0f),
    };
    return fields;
}

int Emission::LifetimeEmission::SpawnCount(Emission& emission, float dt)
{
    if (SwitchedOffWhenSpent(emission, timeLeft <= 0.0f))
    {
        return 0;
    }
    const int count = StepEvents(static_cast<float>(particlesPerSecond), accumulator, dt);
    if (!emission.endless)
    {
        timeLeft -= dt;
    }
    return count;
}

void Emission::LifetimeEmission::Restart()
{
    timeLeft = lifetime;
    // The first particle comes at the first update.
    accumulator = particlesPerSecond > 0 ? 1.0f / static_cast<float>(particlesPerSecond) : 0.0f;
}

void Emission::LifetimeEmission::Check(const ValueCheck& check)
{
    check.Keep(particlesPerSecond, 0, mostPerSecond, "\"Particles Per Second\"");
    check.Keep(lifetime, 0.0f, longestTime, "emission \"Lifetime\"");
}

const FieldTable<Emission::BurstEmission>& Emission::BurstEmission::Fields()
{
    using B = BurstEmission;
    static const FieldTable<B> fields{
        Field<&B::particlesPerBurst>("Particles Per Burst").Label("Particles Per Burst").Range(0.0f),
        Field<&B::burstsAmount>("Bursts amount").Label("Amount of Bursts").Range(0.0f),
        Field<&B::burstsPerSecond>("Bursts Per Second").Label("Burst Per Sec").Drag(0.01f).Range(0.0f),
    };
    return fields;
}

int Emission::BurstEmission::SpawnCount(Emission& emission, float dt)
{
    if (SwitchedOffWhenSpent(emission, burstsLeft <= 0))
    {
        return 0;
    }
    int bursts = StepEvents(burstsPerSecond, accumulator, dt);
    if (!emission.endless)
    {
        bursts = std::min(bursts, burstsLeft);
        burstsLeft -= bursts;
    }
    return bursts * particlesPerBurst;
}

void Emission::BurstEmission::Restart()
{
    burstsLeft = burstsAmount;
    // The first burst comes at the first update.
    accumulator = burstsPerSecond > 0.0f ? 1.0f / burstsPerSecond : 0.0f;
}

void Emission::BurstEmission::Check(const ValueCheck& check)
{
    check.Keep(particlesPerBurst, 0, mostPerSecond, "\"Particles Per Burst\"");
    check.Keep(burstsAmount, 0, std::numeric_limits<int>::max(), "\"Bursts amount\"");
    check.Keep(burstsPerSecond, 0.0f, static_cast<float>(mostPerSecond), "\"Bursts Per Second\"");
}

std::unique_ptr<Emission::EmissionMode> MakeMode(EmissionModeType type)
{
    if (type == EmissionModeType::Burst)
    {
        return std::make_unique<Emission::BurstEmission>();
    }
    return std::make_unique<Emission::LifetimeEmission>();
}

} // namespace kesto
