#pragma once

#include "particles/DescribedPart.h"
#include "particles/Emission.h"

#include <array>

namespace kesto
{

// Sways particles across their path: each update moves them sideways by sin(frequency x clock + seed) x strength
// (the seed left out when synchronised, so all sway together).
class Emission::WavingParticle : public DescribedPart<Emission::WavingParticle, Emission::SpecialEffect>
{
public:
    static const FieldTable<WavingParticle>& Fields();
    int Type() const override { return 1; }
    void OnUpdate(Particle& particle, const EmitterPlace& place, const Emission& emission, float clock,
                  float dt) const override;
    void Check(const ValueCheck& check);

    bool synchronised = false;
    float strength = 1.0f;  // world units per update
    float frequency = 1.0f; // radians per second of the clock
};

// An effect whose one key, "Percent", holds a fraction times 100; a negative percentage reads as 0 (reported).
class PercentEffect : public Emission::SpecialEffect
{
public:
    explicit PercentEffect(float initial) : fraction(initial) {}
    void Write(JsonWriter& writer) const override;
    void Read(const JsonReader& reader, SystemRegistry* registry) override;
    bool Inspect(SystemRegistry* registry) override;

    float fraction;
};

// Newborns leave at a random speed between the emission's and `fraction` more.
class Emission::RandomSpeedInterval : public PercentEffect
{
public:
    RandomSpeedInterval() : PercentEffect(20.0f) {}
    std::unique_ptr<SpecialEffect> Clone() const override { return std::make_unique<RandomSpeedInterval>(*this); }
    int Type() const override { return 2; }
    void OnBirth(const Emission& emission, Particle& particle, Random& random) const override;
};

// Newborns get a random square size between the template's start width and `fraction` more.
class Emission::RandomSizes : public PercentEffect
{
public:
    RandomSizes() : PercentEffect(0.2f) {}
    std::unique_ptr<SpecialEffect> Clone() const override { return std::make_unique<RandomSizes>(*this); }
    int Type() const override { return 3; }
    void OnBirth(const Emission& emission, Particle& particle, Random& random) const override;
};

// Pulls particles towards a point near the emitter (a spring of `strength`); one that comes within `radius` of it
// during an update's move dies.
class Emission::Target : public DescribedPart<Emission::Target, Emission::SpecialEffect>
{
public:
    static const FieldTable<Target>& Fields();
    int Type() const override { return 4; }
    void OnUpdate(Particle& particle, const EmitterPlace& place, const Emission& emission, float clock,
                  float dt) const override;
    void Check(const ValueCheck& check);

    float strength = 10.0f; // acceleration per unit of distance
    float radius = 25.0f;   // world units
    Vec2 relativePosition;  // from the emission's birth point
};

// Fades particles from the template's start look to its end look until `timeRatio` of their life, then back.
class Emission::FadeInOut : public DescribedPart<Emission::FadeInOut, Emission::SpecialEffect>
{
public:
    static const FieldTable<FadeInOut>& Fields();
    int Type() const override { return 5; }
    void OnUpdate(Particle& particle, const EmitterPlace& place, const Emission& emission, float clock,
                  float dt) const override;
    void Check(const ValueCheck& check);

    float timeRatio = 0.5f; // 0..1 of the particle's life
    int fadeMode = 0;       // 0 linear, 1 spherical (colours turn along the arc between them)
};

// Texts of the inspector's "Add effects:" combo: "None", then the effects by type number.
extern const std::array<const char*, 6> effectNames;

// A fresh effect of an "Effect Type" number with its defaults; null for a number that names none.
std::unique_ptr<Emission::SpecialEffect> MakeEffect(int type);

} // namespace kesto
