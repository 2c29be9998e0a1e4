#pragma once

#include "particles/DescribedPart.h"
#include "particles/Emission.h"

namespace kesto
{

// Particles one update gives at `rate` a second. Up to 60 a second (and while rate x dt is below 1) at most one,
// timed by `accumulator`, which carries the time since the last one; faster rates trunc(rate x dt).
int StepEvents(float rate, float& accumulator, float dt);

// A steady stream: particlesPerSecond for `lifetime` seconds, or for ever when the emission is endless.
class Emission::LifetimeEmission : public DescribedPart<Emission::LifetimeEmission, Emission::EmissionMode>
{
public:
    static const FieldTable<LifetimeEmission>& Fields();
    LifetimeEmission() { Restart(); }

    EmissionModeType Type() const override { return EmissionModeType::Lifetime; }
    int SpawnCount(Emission& emission, float dt) override;
    void Restart() override;
    void Check(const ValueCheck& check);

    int particlesPerSecond = 10;
    float lifetime = 10.0f; // seconds a non-endless stream lasts
    float timeLeft = 10.0f;
    float accumulator = 0.0f; // seconds since the last particle
};

// burstsAmount bursts of particlesPerBurst, burstsPerSecond apart (for ever when the emission is endless).
class Emission::BurstEmission : public DescribedPart<Emission::BurstEmission, Emission::EmissionMode>
{
public:
    static const FieldTable<BurstEmission>& Fields();
    BurstEmission() { Restart(); }

    EmissionModeType Type() const override { return EmissionModeType::Burst; }
    int SpawnCount(Emission& emission, float dt) override;
    void Restart() override;
    void Check(const ValueCheck& check);

    int particlesPerBurst = 10;
    int burstsAmount = 1;
    int burstsLeft = 1;
    float burstsPerSecond = 1.0f;
    float accumulator = 1.0f; // seconds since the last burst
};

// A fresh mode of a type with its defaults; LifetimeEmission for a number that names none.
std::unique_ptr<Emission::EmissionMode> MakeMode(EmissionModeType type);

} // namespace kesto
