#include "particles/SpecialEffects.h"

#include "engine/Random.h"
#include "particles/Particle.h"
#include "particles/ParticleTemplate.h"

#include <algorithm>
#include <cmath>
#include <imgui.h>

namespace kesto
{

namespace
{

constexpr std::array<const char*, 2> fadeModes = {"Linear", "Spherical"};

// Turns `a` towards `b` along the arc between them as 4-vectors, linearly when they are almost parallel.
Vec4 Slerp(Vec4 a, Vec4 b, float f)
{
    const float lengths =
        std::sqrt((a.x * a.x + a.y * a.y + a.z * a.z + a.w * a.w) * (b.x * b.x + b.y * b.y + b.z * b.z + b.w * b.w));
    const float cosine = lengths > 0.0f ? (a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w) / lengths : 1.0f;
    const float theta = std::acos(std::clamp(cosine, -1.0f, 1.0f));
    const float sine = std::sin(theta);
    if (sine < 1.0e-3f)
    {
        return a * (1.0f - f) + b * f;
    }
    return a * (std::sin((1.0f - f) * theta) / sine) + b * (std::sin(f * theta) / sine);
}

} // namespace

const std::array<const char*, 6> effectNames = {"None",         "Waving", "Random Speed",
                                                "Random Sizes", "Target", "Fade In/Out"};

void Emission::SpecialEffect::OnBirth(const Emission&, Particle&, Random&) const {}

void Emission::SpecialEffect::OnUpdate(Particle&, const EmitterPlace&, const Emission&, float, float) const {}

const FieldTable<Emission::WavingParticle>& Emission::WavingParticle::Fields()
{
    using W = WavingParticle;
    static const FieldTable<W> fields{
        Field<&W::synchronised>("Sincronized").Label("Syncronized"),
        Field<&W::strength>("Strength").Label("Strength").Drag(0.01f),
        Field<&W::frequency>("Frequency").Label("Frequency").Drag(0.01f),
    };
    return fields;
}

void Emission::WavingParticle::OnUpdate(Particle& particle, const EmitterPlace&, const Emission& emission, float clock,
                                        float) const
{
    const float speed = particle.velocity.Length();
    const Vec2 d =
        speed > 0.0f ? particle.velocity / speed : Vec2{std::sin(emission.rotation), std::cos(emission.rotation)};
    float phase = frequency * clock;
    if (!synchronised)
    {
        phase += static_cast<float>(particle.seed);
    }
    particle.position += Vec2{-d.y, d.x} * (std::sin(phase) * strength);
}

void Emission::WavingParticle::Check(const ValueCheck& check)
{
    check.Finite(strength, "Waving \"Strength\"");
    check.Finite(frequency, "Waving \"Frequency\"");
}

void PercentEffect::Write(JsonWriter& writer) const { writer.WriteFloat("Percent", fraction * 100.0f); }

void PercentEffect::Read(const JsonReader& reader, SystemRegistry* registry)
{
    float percent = 0.0f;
    if (reader.TryReadFloat("Percent", percent))
    {
        ValueCheck(registry, reader.Where()).Keep(percent, 0.0f, ValueCheck::limit, "effect \"Percent\"");
        fraction = percent / 100.0f;
    }
}

bool PercentEffect::Inspect(SystemRegistry*)
{
    float percent = fraction * 100.0f;
    if (!ImGui::DragFloat("Percent", &percent, 0.1f, 0.0f, ValueCheck::limit, "%.1f %%"))
    {
        return false;
    }
    fraction = std::max(percent, 0.0f) / 100.0f;
    return true;
}

void Emission::RandomSpeedInterval::OnBirth(const Emission& emission, Particle& particle, Random& random) const
{
    const float speed = emission.speed;
    if (speed == 0.0f)
    {
        return;
    }
    const float faster = speed * (1.0f + fraction);
    const float chosen = random.RandomFloat(std::min(speed, faster), std::max(speed, faster));
    particle.velocity = particle.velocity * (chosen / speed);
}

void Emission::RandomSizes::OnBirth(const Emission&, Particle& particle, Random& random) const
{
    const float width = particle.scale.x;
    const float side = std::max(random.RandomFloat(width, width * (1.0f + fraction)), 0.0f);
    particle.scale = {side, side};
}

const FieldTable<Emission::Target>& Emission::Target::Fields()
{
    using T = Target;
    static const FieldTable<T> fields{
        Field<&T::strength>("Strength").Label("Pull Strength").Drag(0.1f),
        Field<&T::radius>("Radius").Label("Radius").Drag(0.1f).Range(0.0f),
        Field<&T::relativePosition>("Relative Position").Label("Relative Position").Drag(1.0f),
    };
    return fields;
}

void Emission::Target::OnUpdate(Particle& particle, const EmitterPlace& place, const Emission& emission, float,
                                float) const
{
    const Vec2 target = relativePosition + emission.offset + place.position;
    // The closest the particle came during this update's move: a long step must not carry it through the target.
    const Vec2 step = particle.position - particle.previousPosition;
    const float stepSquared = Dot(step, step);
    const float along =
        stepSquared > 0.0f ? std::clamp(Dot(target - particle.previousPosition, step) / stepSquared, 0.0f, 1.0f) : 1.0f;
    if ((target - (particle.previousPosition + step * along)).Length() < radius)
    {
        particle.alive = false;
        return;
    }
    particle.acceleration = (target - particle.position) * strength;
}

void Emission::Target::Check(const ValueCheck& check)
{
    check.Finite(strength, "Target \"Strength\"");
    check.Keep(radius, 0.0f, ValueCheck::limit, "Target \"Radius\"");
    check.Finite(relativePosition.x, "Target \"Relative Position\"");
    check.Finite(relativePosition.y, "Target \"Relative Position\"");
}

const FieldTable<Emission::FadeInOut>& Emission::FadeInOut::Fields()
{
    using F = FadeInOut;
    static const FieldTable<F> fields{
        Field<&F::timeRatio>("Time Ratio").Label("Time Ratio Trigger").Slider(0.0f, 1.0f).Format("%.3f"),
        Field<&F::fadeMode>("Fade Mode").Label("Mode").Combo(fadeModes),
    };
    return fields;
}

void Emission::FadeInOut::OnUpdate(Particle& particle, const EmitterPlace&, const Emission&, float, float) const
{
    const ParticleTemplate* look = particle.particleTemplate;
    if (!look)
    {
        return;
    }
    const float lifetime = look->lifetime;
    const float age = lifetime - particle.life;
    const float trigger = timeRatio * lifetime;
    // Towards the end look until the trigger, then back over the rest of the life (not over another `trigger`
    // seconds, which would overshoot the start look whenever the ratio is below one half).
    Vec4 from = look->startColor;
    Vec4 to = look->endColor;
    Vec2 fromScale = look->startScale;
    Vec2 toScale = look->endScale;
    float f = 1.0f;
    if (age < trigger)
    {
        f = age / trigger;
    }
    else
    {
        std::swap(from, to);
        std::swap(fromScale, toScale);
        const float rest = lifetime - trigger;
        f = rest > 0.0f ? (age - trigger) / rest : 1.0f;
    }
    f = std::clamp(f, 0.0f, 1.0f);
    particle.color = fadeMode == 1 ? Slerp(from, to, f) : from * (1.0f - f) + to * f;
    particle.scale = fromScale * (1.0f - f) + toScale * f;
}

void Emission::FadeInOut::Check(const ValueCheck& check) { check.Keep(timeRatio, 0.0f, 1.0f, "\"Time Ratio\""); }

std::unique_ptr<Emission::SpecialEffect> MakeEffect(int type)
{
    switch (type)
    {
    case 1:
        return std::make_unique<Emission::WavingParticle>();
    case 2:
        return std::make_unique<Emission::RandomSpeedInterval>();
    case 3:
        return std::make_unique<Emission::RandomSizes>();
    case 4:
        return std::make_unique<Emission::Target>();
    case 5:
        return std::make_unique<Emission::FadeInOut>();
    default:
        return nullptr;
    }
}

} // namespace kesto
