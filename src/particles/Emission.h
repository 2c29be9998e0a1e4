#pragma once

#include "ecs/Fields.h"
#include "engine/Vector.h"

#include <memory>
#include <string>
#include <vector>

namespace kesto
{

class JsonReader;
class JsonWriter;
class Random;
class SystemRegistry;
struct Particle;
struct ParticleTemplate;

// When an emission's particles are born: a steady stream or bursts. Stored as the JSON number.
enum class EmissionModeType : int
{
    Lifetime = 0, // "Continuous"
    Burst = 1,
};

// Where an emission's particles are born and which way they go. Stored as the JSON number.
enum class EmitterShapeType : int
{
    Cube = 0,
    Sphere = 1,
    Cone = 2,
};

// The emitting entity as births and effects see it during one update.
struct EmitterPlace
{
    Vec2 position;
    Vec2 previousPosition; // before its last movement step; trail particles fill the segment between the two
    float rotation = 0.0f; // radians, counter-clockwise
};

// A direction of travel: unit vector and its angle (radians, clockwise from straight up).
struct Heading
{
    Vec2 direction{0.0f, 1.0f};
    float angle = 0.0f;
};

// One stream of particles of an emitter: its template, when particles are born (the mode), where and which way
// (the shape), and special effects applied at birth or every update. The emitter's slot owns the particles.
class Emission
{
public:
    class EmissionMode;
    class LifetimeEmission;
    class BurstEmission;
    class EmitterShape;
    class Cube;
    class Sphere;
    class Cone;
    class SpecialEffect;
    class WavingParticle;
    class RandomSpeedInterval;
    class RandomSizes;
    class Target;
    class FadeInOut;

    // A continuous emission from a cube, of the template "LightParticle" (looked up by FindTemplate or Read).
    Emission();
    Emission(const Emission& other);
    Emission& operator=(const Emission& other);
    Emission(Emission&& other) noexcept;
    Emission& operator=(Emission&& other) noexcept;
    ~Emission();

    // The plain keys; the mode, shape, template, rotation and effects are read, written and shown by hand.
    static const FieldTable<Emission>& Fields();
    void Write(JsonWriter& writer) const;
    // Reads the keys the reader's current object holds. A changed "Emission Type" or "Type" starts a fresh mode or
    // shape before its object is read; an emission that is active after the read starts its mode over.
    void Read(JsonReader& reader, SystemRegistry* registry);
    // The widgets of one emission; true when something changed.
    bool Inspect(SystemRegistry* registry);

    // Looks templateName up in the registry's manager; an unknown name leaves the emission without a template,
    // reported as coming from `source`.
    void FindTemplate(SystemRegistry* registry, const std::string& source);
    // How many particles to spawn for a step of dt: the mode's count while active, else none.
    int SpawnCount(float dt);
    // Spawning on, and the mode starts over (its first burst or particle comes at the next update).
    void Play();
    // The shape's estimate of the box the emission's particles reach, from the speed, template and shape.
    void UpdateCullSize();

    std::string name = "Untitled0"; // key in the emitter
    EmissionModeType modeType = EmissionModeType::Lifetime;
    std::unique_ptr<EmissionMode> mode; // never null
    bool endless = true;                // the mode never runs out
    bool dualRotation = false;          // each particle spins either way at random
    bool active = true;                 // spawning on
    bool trail = false;                 // particles follow the entity's path and copy its sprite cell
    bool useBlendColor = false;         // newborns take blendColor rather than the template's start colour
    float rotationalSpeed = 0.0f;       // radians per second
    float speed = 100.0f;               // world units per second
    float rotation = 0.0f;              // radians, added to the entity's; written and edited in degrees
    Vec2 offset;                        // birth place relative to the entity
    Vec2 cullSize;                      // the shape's estimate of its reach; shown with debug drawing (F1)
    Vec4 blendColor{1.0f, 1.0f, 1.0f, 1.0f};
    EmitterShapeType shapeType = EmitterShapeType::Cube;
    std::unique_ptr<EmitterShape> shape; // never null
    std::string templateName = "LightParticle";
    const ParticleTemplate* particleTemplate = nullptr; // owned by the template manager; null when unknown
    std::vector<std::unique_ptr<SpecialEffect>> effects;

private:
    void ReplaceModeIfRetyped();
    void ReplaceShapeIfRetyped();
    void ActiveEdited();
    bool InspectEffects(SystemRegistry* registry);
    void ReadEffects(JsonReader& reader, SystemRegistry* registry);
    void WriteEffects(JsonWriter& writer) const;

    int editedEffect = 0; // which effect the inspector shows
};

// When particles are born. Modes keep their own clock between updates.
class Emission::EmissionMode
{
public:
    virtual ~EmissionMode() = default;
    virtual std::unique_ptr<EmissionMode> Clone() const = 0;
    virtual EmissionModeType Type() const = 0;
    // Particles to spawn for a step of dt; a mode that has run out (and is not endless) switches the emission off.
    virtual int SpawnCount(Emission& emission, float dt) = 0;
    virtual void Restart() = 0;
    virtual void Write(JsonWriter& writer) const = 0;
    virtual void Read(const JsonReader& reader, SystemRegistry* registry) = 0;
    virtual bool Inspect(SystemRegistry* registry) = 0;
};

// Where particles are born and which way they go.
class Emission::EmitterShape
{
public:
    virtual ~EmitterShape() = default;
    virtual std::unique_ptr<EmitterShape> Clone() const = 0;
    virtual EmitterShapeType Type() const = 0;
    virtual void Write(JsonWriter& writer) const = 0;
    virtual void Read(const JsonReader& reader, SystemRegistry* registry) = 0;
    virtual bool Inspect(SystemRegistry* registry) = 0;
    // The box the emission's particles reach, for its speed and template lifetime.
    virtual Vec2 CullSize(const Emission& emission) const = 0;
    // The birth place of a particle leaving in `heading`.
    virtual Vec2 Position(const Emission& emission, const EmitterPlace& place, Random& random,
                          const Heading& heading) const = 0;
    virtual Heading Direction(const Emission& emission, const EmitterPlace& place, Random& random) const = 0;
};

// Changes particles at birth, every update, or both.
class Emission::SpecialEffect
{
public:
    virtual ~SpecialEffect() = default;
    virtual void OnBirth(const Emission& emission, Particle& particle, Random& random) const;
    // `clock` is the particle system's time in seconds.
    virtual void OnUpdate(Particle& particle, const EmitterPlace& place, const Emission& emission, float clock,
                          float dt) const;
    virtual std::unique_ptr<SpecialEffect> Clone() const = 0;
    // The "Effect Type" number, 1 to 5.
    virtual int Type() const = 0;
    virtual void Write(JsonWriter& writer) const = 0;
    virtual void Read(const JsonReader& reader, SystemRegistry* registry) = 0;
    virtual bool Inspect(SystemRegistry* registry) = 0;
};

} // namespace kesto
