#pragma once

#include "particles/DescribedPart.h"
#include "particles/Emission.h"

namespace kesto
{

// Particles leave along the emitter's rotation (straight up at 0), from inside a square of side `base` or from
// its edge facing that way.
class Emission::Cube : public DescribedPart<Emission::Cube, Emission::EmitterShape>
{
public:
    static const FieldTable<Cube>& Fields();
    EmitterShapeType Type() const override { return EmitterShapeType::Cube; }
    Vec2 CullSize(const Emission& emission) const override;
    Vec2 Position(const Emission& emission, const EmitterPlace& place, Random& random,
                  const Heading& heading) const override;
    Heading Direction(const Emission& emission, const EmitterPlace& place, Random& random) const override;
    void Check(const ValueCheck& check);

    float base = 50.0f; // side, world units
    int source = 0;     // 0 inside, 1 the edge facing the direction; anything else the entity's position
};

// Particles leave in every direction, from inside a circle or from its rim.
class Emission::Sphere : public DescribedPart<Emission::Sphere, Emission::EmitterShape>
{
public:
    static const FieldTable<Sphere>& Fields();
    EmitterShapeType Type() const override { return EmitterShapeType::Sphere; }
    // "Origin" above 1 is reported and the previous origin kept.
    void Read(const JsonReader& reader, SystemRegistry* registry) override;
    Vec2 CullSize(const Emission& emission) const override;
    Vec2 Position(const Emission& emission, const EmitterPlace& place, Random& random,
                  const Heading& heading) const override;
    Heading Direction(const Emission& emission, const EmitterPlace& place, Random& random) const override;
    void Check(const ValueCheck& check);

    float radius = 50.0f; // world units
    int origin = 0;       // 0 inside, 1 the rim; anything else the centre
};

// Particles leave within `angle` degrees either side of the emitter's rotation, from a base line across it, from
// inside the cone up to `height`, or from its tip.
class Emission::Cone : public DescribedPart<Emission::Cone, Emission::EmitterShape>
{
public:
    static const FieldTable<Cone>& Fields();
    EmitterShapeType Type() const override { return EmitterShapeType::Cone; }
    Vec2 CullSize(const Emission& emission) const override;
    Vec2 Position(const Emission& emission, const EmitterPlace& place, Random& random,
                  const Heading& heading) const override;
    Heading Direction(const Emission& emission, const EmitterPlace& place, Random& random) const override;
    void Check(const ValueCheck& check);

    float base = 10.0f;  // width of the base line, world units
    float height = 5.0f; // world units
    float angle = 45.0f; // degrees either side, 45 to 360
    int source = 0;      // 0 the base line, 1 inside, 2 the tip
};

// A fresh shape of a type with its defaults; Cube for a number that names none.
std::unique_ptr<Emission::EmitterShape> MakeShape(EmitterShapeType type);

} // namespace kesto
