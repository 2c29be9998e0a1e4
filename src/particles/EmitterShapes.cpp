#include "particles/EmitterShapes.h"

#include "engine/Random.h"
#include "engine/Trace.h"
#include "particles/ParticleTemplate.h"

#include <array>
#include <cmath>
#include <string>

namespace kesto
{

namespace
{

constexpr float sqrt2 = 1.4142135f;
constexpr float pi = 3.1415927f;
constexpr float twoPi = 6.2831855f;
constexpr float radiansPerDegree = 0.017453292f;

constexpr std::array<const char*, 2> insideOutside = {"Inside", "Outside"};
constexpr std::array<const char*, 3> coneSources = {"Base", "Inside", "Tip"};

// How far a particle travels in its life at the emission's speed.
float Reach(const Emission& emission)
{
    return emission.particleTemplate ? emission.particleTemplate->lifetime * emission.speed : 0.0f;
}

// The emitter's rotation plus the entity's: where its particles head, clockwise from straight up.
float Aim(const Emission& emission, const EmitterPlace& place) { return emission.rotation + place.rotation; }

Vec2 Origin(const Emission& emission, const EmitterPlace& place) { return place.position + emission.offset; }

} // namespace

const FieldTable<Emission::Cube>& Emission::Cube::Fields()
{
    static const FieldTable<Cube> fields{
        Field<&Cube::base>("Base").Label("Base").Drag(1.0f).Range(0.0f),
        Field<&Cube::source>("Source").Label("Source").Combo(insideOutside),
    };
    return fields;
}

Vec2 Emission::Cube::CullSize(const Emission& emission) const
{
    return {base * sqrt2, (Reach(emission) + base) * sqrt2};
}

Vec2 Emission::Cube::Position(const Emission& emission, const EmitterPlace& place, Random& random,
                              const Heading& heading) const
{
    const Vec2 origin = Origin(emission, place);
    const Vec2 d = heading.direction;
    const float half = base * 0.5f;
    if (source == 0)
    {
        const float x = random.RandomFloat(-half, half);
        const float y = random.RandomFloat(-half, half);
        return {origin.x + x + d.x, origin.y + y + d.y};
    }
    if (source == 1)
    {
        const float r = random.RandomFloat(-half, half);
        return {origin.x + d.y * r + d.x * half, origin.y - d.x * r + d.y * half};
    }
    return place.position;
}

Heading Emission::Cube::Direction(const Emission& emission, const EmitterPlace& place, Random&) const
{
    const float angle = Aim(emission, place);
    if (angle == 0.0f)
    {
        return {{0.0f, 1.0f}, 0.0f};
    }
    return {{std::sin(angle), std::cos(angle)}, angle};
}

void Emission::Cube::Check(const ValueCheck& check) { check.Keep(base, 0.0f, ValueCheck::limit, "Cube \"Base\""); }

const FieldTable<Emission::Sphere>& Emission::Sphere::Fields()
{
    static const FieldTable<Sphere> fields{
        Field<&Sphere::radius>("Radius").Label("Radius").Drag(1.0f).Range(0.0f),
        Field<&Sphere::origin>("Origin").Label("Emit From").Combo(insideOutside),
    };
    return fields;
}

void Emission::Sphere::Read(const JsonReader& reader, SystemRegistry* registry)
{
    const int previous = origin;
    DescribedPart::Read(reader, registry);
    if (origin > 1)
    {
        TraceReport(registry, "DATA", reader.Where(),
                    "Sphere \"Origin\" " + std::to_string(origin) + " is neither 0 (inside) nor 1 (outside); kept " +
                        std::to_string(previous));
        origin = previous;
    }
}

Vec2 Emission::Sphere::CullSize(const Emission& emission) const
{
    const float both = Reach(emission) + radius;
    return {both, both};
}

Vec2 Emission::Sphere::Position(const Emission& emission, const EmitterPlace& place, Random& random,
                                const Heading& heading) const
{
    const Vec2 origin0 = Origin(emission, place);
    if (origin == 0)
    {
        return origin0 + heading.direction * random.RandomFloat(radius / 50.0f, radius);
    }
    if (origin == 1)
    {
        return origin0 + heading.direction * radius;
    }
    return origin0;
}

Heading Emission::Sphere::Direction(const Emission&, const EmitterPlace&, Random& random) const
{
    const float angle = random.RandomFloat(0.0f, twoPi);
    return {{std::sin(angle), std::cos(angle)}, angle};
}

void Emission::Sphere::Check(const ValueCheck& check)
{
    check.Keep(radius, 0.0f, ValueCheck::limit, "Sphere \"Radius\"");
}

const FieldTable<Emission::Cone>& Emission::Cone::Fields()
{
    static const FieldTable<Cone> fields{
        Field<&Cone::base>("Base").Label("Base").Drag(1.0f).Range(0.0f),
        Field<&Cone::height>("Height").Label("Height").Drag(1.0f).Range(0.0f),
        Field<&Cone::angle>("Angle").Label("Angle").Drag(1.0f).Range(45.0f, 360.0f),
        Field<&Cone::source>("Source").Label("Source").Combo(coneSources),
    };
    return fields;
}

Vec2 Emission::Cone::CullSize(const Emission& emission) const
{
    const float reach = Reach(emission);
    const float r = angle * radiansPerDegree;
    const float beyondHalfTurn = r > pi ? std::fabs(std::sin(r)) * reach : 0.0f;
    return {std::fabs(std::cos(r)) * 2.0f * reach * sqrt2, (reach + height + beyondHalfTurn) * sqrt2};
}

Vec2 Emission::Cone::Position(const Emission& emission, const EmitterPlace& place, Random& random,
                              const Heading& heading) const
{
    const float aim = Aim(emission, place);
    const float spread = angle * radiansPerDegree;
    // Where along the base the particle starts follows the side it heads to.
    const float along = (heading.angle - aim) / spread * base * 0.5f;
    Vec2 point = Origin(emission, place) + Vec2{std::cos(-aim), std::sin(-aim)} * along;
    if (source == 1)
    {
        point += heading.direction * random.RandomFloat(0.0f, height);
    }
    else if (source == 2)
    {
        point += heading.direction * height;
    }
    return point;
}

Heading Emission::Cone::Direction(const Emission& emission, const EmitterPlace& place, Random& random) const
{
    const float aim = Aim(emission, place);
    const float spread = angle * radiansPerDegree;
    const float c = random.RandomFloat(aim - spread, aim + spread);
    return {{std::sin(c), std::cos(c)}, c};
}

void Emission::Cone::Check(const ValueCheck& check)
{
    check.Keep(base, 0.0f, ValueCheck::limit, "Cone \"Base\"");
    check.Keep(height, 0.0f, ValueCheck::limit, "Cone \"Height\"");
    check.Keep(angle, 45.0f, 360.0f, "Cone \"Angle\"");
}

std::unique_ptr<Emission::EmitterShape> MakeShape(EmitterShapeType type)
{
    switch (type)
    {
    case EmitterShapeType::Sphere:
        return std::make_unique<Emission::Sphere>();
    case EmitterShapeType::Cone:
        return std::make_unique<Emission::Cone>();
    case EmitterShapeType::Cube:
        break;
    }
    return std::make_unique<Emission::Cube>();
}

} // namespace kesto
