#include "particles/Emission.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "particles/EmissionModes.h"
#include "particles/EmitterShapes.h"
#include "particles/ParticleTemplateManager.h"
#include "particles/SpecialEffects.h"
#include "particles/ValueCheck.h"

#include <algorithm>
#include <array>
#include <string>

namespace kesto
{

namespace
{

constexpr float degreesPerRadian = 57.29578f;
constexpr float radiansPerDegree = 0.017453292f;
// Effects an emission may hold; "Effect Amount" is also bounded by the members the object has.
constexpr int mostEffects = 64;

constexpr std::array<const char*, 2> modeNames = {"Continuous", "Burst"};
constexpr std::array<const char*, 3> shapeNames = {"Cube", "Sphere", "Cone"};

// The JSON object holding a shape's keys.
const char* ShapeKey(EmitterShapeType type)
{
    switch (type)
    {
    case EmitterShapeType::Sphere:
        return "ShapeSphere";
    case EmitterShapeType::Cone:
        return "ShapeCone";
    case EmitterShapeType::Cube:
        break;
    }
    return "ShapeCube";
}

} // namespace

Emission::Emission() : mode(MakeMode(modeType)), shape(MakeShape(shapeType)) {}

Emission::Emission(const Emission& other)
    : name(other.name), modeType(other.modeType), mode(other.mode->Clone()), endless(other.endless),
      dualRotation(other.dualRotation), active(other.active), trail(other.trail), useBlendColor(other.useBlendColor),
      rotationalSpeed(other.rotationalSpeed), speed(other.speed), rotation(other.rotation), offset(other.offset),
      cullSize(other.cullSize), blendColor(other.blendColor), shapeType(other.shapeType), shape(other.shape->Clone()),
      templateName(other.templateName), particleTemplate(other.particleTemplate), editedEffect(other.editedEffect)
{
    effects.reserve(other.effects.size());
    for (const auto& effect : other.effects)
    {
        effects.push_back(effect->Clone());
    }
}

Emission& Emission::operator=(const Emission& other)
{
    if (this != &other)
    {
        Emission copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Emission::Emission(Emission&& other) noexcept = default;
Emission& Emission::operator=(Emission&& other) noexcept = default;
Emission::~Emission() = default;

const FieldTable<Emission>& Emission::Fields()
{
    using E = Emission;
    static const FieldTable<E> fields{
        Field<&E::name>("Emission Name"),
        Field<&E::modeType>("Emission Type").Label("Emission Mode").Combo(modeNames).OnEdit(&E::ReplaceModeIfRetyped),
        Field<&E::endless>("Endless").Label("Endless"),
        Field<&E::dualRotation>("Dual Rotation").Label("Dual Rotation"),
        Field<&E::active>("Active").Label("Active").OnEdit(&E::ActiveEdited),
        Field<&E::trail>("Trail").Label("Trail Emission"),
        Field<&E::rotationalSpeed>("Particle Rotational Speed").Label("Particle Rotational Speed").Drag(0.01f),
        Field<&E::speed>("Particle Speed").Label("Particle Speed").Drag(1.0f).OnEdit(&E::UpdateCullSize),
        Field<&E::offset>("Offset").Label("Offset").Drag(1.0f),
        Field<&E::blendColor>("TrailBlendColor").Label("BlendColor").Color(),
        Field<&E::shapeType>("Type").Label("Shape").Combo(shapeNames).OnEdit(&E::ReplaceShapeIfRetyped),
    };
    return fields;
}

void Emission::Write(JsonWriter& writer) const
{
    Fields().Write(*this, writer);
    writer.WriteFloat("Rotation", rotation * degreesPerRadian);
    writer.WriteString("Particle Template", templateName);
    writer.BeginObject("Emission Mode");
    mode->Write(writer);
    writer.EndObject();
    writer.BeginObject(ShapeKey(shapeType));
    shape->Write(writer);
    writer.EndObject();
    WriteEffects(writer);
}

void Emission::Read(JsonReader& reader, SystemRegistry* registry)
{
    const std::string source = reader.Where();
    const EmissionModeType previousMode = modeType;
    const EmitterShapeType previousShape = shapeType;
    Fields().Read(*this, reader, registry);
    if (modeType != EmissionModeType::Lifetime && modeType != EmissionModeType::Burst)
    {
        TraceReport(registry, "DATA", source,
                    "emission \"" + name + "\" \"Emission Type\" " + std::to_string(static_cast<int>(modeType)) +
                        " is neither 0 (continuous) nor 1 (burst); kept");
        modeType = previousMode;
    }
    if (static_cast<int>(shapeType) < 0 || static_cast<int>(shapeType) > static_cast<int>(EmitterShapeType::Cone))
    {
        TraceReport(registry, "DATA", source,
                    "emission \"" + name + "\" \"Type\" " + std::to_string(static_cast<int>(shapeType)) +
                        " names no shape (0 cube, 1 sphere, 2 cone); kept");
        shapeType = previousShape;
    }
    ReplaceModeIfRetyped();
    ReplaceShapeIfRetyped();

    const ValueCheck check(registry, source);
    check.Finite(speed, "\"Particle Speed\"");
    check.Finite(rotationalSpeed, "\"Particle Rotational Speed\"");
    check.Finite(offset.x, "emission \"Offset\"");
    check.Finite(offset.y, "emission \"Offset\"");
    float degrees = 0.0f;
    if (reader.TryReadFloat("Rotation", degrees))
    {
        check.Finite(degrees, "emission \"Rotation\"");
        rotation = degrees * radiansPerDegree;
    }
    if (reader.Enter("Emission Mode"))
    {
        mode->Read(reader, registry);
        reader.Leave();
    }
    if (reader.Enter(ShapeKey(shapeType)))
    {
        shape->Read(reader, registry);
        reader.Leave();
    }
    ReadEffects(reader, registry);
    reader.TryReadString("Particle Template", templateName);
    FindTemplate(registry, source);
    // An active emission starts over with what was read (an inactive one starts over when it is played).
    if (active)
    {
        mode->Restart();
    }
}

void Emission::ReadEffects(JsonReader& reader, SystemRegistry* registry)
{
    int count = 0;
    if (!reader.TryReadInt("Effect Amount", count))
    {
        return;
    }
    const std::string source = reader.Where();
    // Each effect is a member of its own, so the object cannot hold more than it has members.
    ValueCheck(registry, source).Keep(count, 0, std::min(mostEffects, reader.MemberCount()), "\"Effect Amount\"");
    effects.clear();
    for (int i = 0; i < count; ++i)
    {
        const std::string key = "Effect" + std::to_string(i);
        if (!reader.Enter(key.c_str()))
        {
            TraceReport(registry, "DATA", source, "emission \"" + name + "\" has no object \"" + key + "\"");
            continue;
        }
        int type = 0;
        reader.TryReadInt("Effect Type", type);
        std::unique_ptr<SpecialEffect> effect = MakeEffect(type);
        if (effect)
        {
            effect->Read(reader, registry);
            effects.push_back(std::move(effect));
        }
        else
        {
            TraceReport(registry, "DATA", source,
                        "emission \"" + name + "\" " + key + " has \"Effect Type\" " + std::to_string(type) +
                            ", which names no effect (1 to 5); skipped");
        }
        reader.Leave();
    }
}

void Emission::WriteEffects(JsonWriter& writer) const
{
    writer.WriteInt("Effect Amount", static_cast<int>(effects.size()));
    for (std::size_t i = 0; i < effects.size(); ++i)
    {
        writer.BeginObject(("Effect" + std::to_string(i)).c_str());
        writer.WriteInt("Effect Type", effects[i]->Type());
        effects[i]->Write(writer);
        writer.EndObject();
    }
}

void Emission::FindTemplate(SystemRegistry* registry, const std::string& source)
{
    particleTemplate = registry ? registry->GetSystem<ParticleTemplateManager>()->Find(templateName) : nullptr;
    if (!particleTemplate && registry)
    {
        TraceReport(registry, "DATA", source,
                    "emission \"" + name + "\" uses the particle template \"" + templateName +
                        "\", which Particles.json does not have; it shows nothing");
    }
    UpdateCullSize();
}

int Emission::SpawnCount(float dt) { return active ? mode->SpawnCount(*this, dt) : 0; }

void Emission::Play()
{
    active = true;
    mode->Restart();
}

void Emission::UpdateCullSize() { cullSize = shape->CullSize(*this); }

void Emission::ReplaceModeIfRetyped()
{
    if (mode->Type() != modeType)
    {
        mode = MakeMode(modeType);
    }
}

void Emission::ReplaceShapeIfRetyped()
{
    if (shape->Type() != shapeType)
    {
        shape = MakeShape(shapeType);
        UpdateCullSize();
    }
}

void Emission::ActiveEdited()
{
    if (active)
    {
        mode->Restart();
    }
}

} // namespace kesto
