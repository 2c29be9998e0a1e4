#include "gameplay/TriggerKindsWorld.h"

#include "animation/Animation.h"
#include "audio/SoundEmitter.h"
#include "ecs/ArchetypeFactory.h"
#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "gameplay/Laser.h"
#include "gameplay/RaySystem.h"
#include "graphics/RendererSystem.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSourceManager.h"
#include "levels/LevelManager.h"
#include "particles/ParticleEmitter.h"
#include "ui/TimerSystem.h"

#include <array>

namespace kesto
{

namespace
{

constexpr std::array<const char*, 3> transitionNames = {"Fade", "Slide", "Weird"};
constexpr std::array<const char*, 3> originNames = {"World", "Trigger", "Player"};
constexpr std::array<const char*, 4> timerNames = {"Start", "Split", "Pause", "Reset"};

} // namespace

const FieldTable<TriggerNextLevel>& TriggerNextLevel::Fields()
{
    using F = TriggerNextLevel;
    static const FieldTable<TriggerNextLevel> fields{
        Field<&F::level>("level").InspectWith(&F::InspectLevel),
        Field<&F::fadeOutLength>("fadeOutLength").Label("Fade-Out Length").Drag(0.1f),
        Field<&F::fadeHoldLength>("fadeHoldLength").Label("Fade-Hold Length").Drag(0.1f),
        Field<&F::fadeInLength>("fadeInLength").Label("Fade-In Length").Drag(0.1f),
        Field<&F::type>("type").Label("Type").Combo(transitionNames),
    };
    return fields;
}

bool TriggerNextLevel::InspectLevel(SystemRegistry* registry)
{
    bool changed = false;
    if (level.empty())
    {
        const std::vector<std::string> names = LevelNames(registry);
        if (!names.empty())
        {
            level = names.front();
            changed = true;
        }
    }
    return InspectName("Level", level, LevelNames, registry) || changed;
}

void TriggerNextLevel::Execute(const TriggerContext& context)
{
    // A level that does not exist is reported (once) by the level manager, and the current level stays.
    LevelManager& levels = *context.registry.GetSystem<LevelManager>();
    levels.ChangeLevel(fadeOutLength, fadeInLength, level, fadeHoldLength, type);
}

const FieldTable<TriggerSpawnArchetype>& TriggerSpawnArchetype::Fields()
{
    using F = TriggerSpawnArchetype;
    static const FieldTable<TriggerSpawnArchetype> fields{
        Field<&F::name>("name").Label("Name").Names(ArchetypeNames),
        Field<&F::position>("position").Label("Position").Drag(0.1f),
        Field<&F::relative>("relative").Label("Relative to").Combo(originNames),
    };
    return fields;
}

void TriggerSpawnArchetype::Execute(const TriggerContext& context)
{
    Vec2 origin;
    if (relative == SpawnOrigin::Trigger)
    {
        origin = context.PositionOf(context.trigger);
    }
    else if (relative == SpawnOrigin::Player)
    {
        origin = context.PositionOf(context.toucher);
    }
    context.SpawnAt(name, origin + position);
}

const FieldTable<TriggerAmbientLight>& TriggerAmbientLight::Fields()
{
    static const FieldTable<TriggerAmbientLight> fields{
        Field<&TriggerAmbientLight::color>("color").Label("Color").Color(),
        Field<&TriggerAmbientLight::time>("time").Label("Time").Drag(0.1f).Clamp(0.0f),
    };
    return fields;
}

void TriggerAmbientLight::Execute(const TriggerContext& context)
{
    SystemStore& systems = context.Systems();
    RendererSystem& renderer = *systems.GetSystem<RendererSystem>();
    renderer.ambientTarget = color;
    renderer.ambientTimeLeft = time;
    if (time == 0.0f)
    {
        renderer.ambient = color;
        if (systems.editorMode)
        {
            renderer.clearColor = color * 0.5f;
        }
    }
}

const FieldTable<TriggerSwitch>& TriggerSwitch::Fields()
{
    static const FieldTable<TriggerSwitch> fields{
        Field<&TriggerSwitch::number>("number").Label("Number"),
    };
    return fields;
}

void TriggerSwitch::Execute(const TriggerContext& context)
{
    if (!enabled)
    {
        return;
    }
    SystemStore& systems = context.Systems();
    for (const Entity& entity : systems.GetEntityList<RaySystem>())
    {
        Laser& laser = *context.Store().GetComponent<Laser>(entity);
        if (laser.onOffNumber == number)
        {
            laser.onOff = !laser.onOff;
        }
        if (laser.patrolNumber == number)
        {
            laser.patrolOn = !laser.patrolOn;
        }
        if (laser.timeNumber == number)
        {
            laser.timerOn = !laser.timerOn;
        }
    }
    if (auto* particles = context.OnTrigger<ParticleEmitter>())
    {
        particles->PlayEmission("Switch");
    }
    if (auto* sounds = context.OnTrigger<SoundEmitter>())
    {
        sounds->QueueSoundOnce({"event:/SFX/Environment/Laser_Switch"});
    }
    enabled = false;
}

const FieldTable<TriggerAnimationPlay>& TriggerAnimationPlay::Fields()
{
    static const FieldTable<TriggerAnimationPlay> fields{
        Field<&TriggerAnimationPlay::source>("source").Label("Sprite Source").Names(SpriteSourceNames),
    };
    return fields;
}

void TriggerAnimationPlay::Execute(const TriggerContext& context)
{
    Sprite* sprite = Require<Sprite>(context, context.trigger, "a Sprite");
    if (!sprite)
    {
        return;
    }
    // A name missing from the art table leaves the sprite without a source, as for any sprite.
    sprite->spriteSource = context.registry.GetSystem<SpriteSourceManager>()->Find(source);
    if (auto* animation = context.OnTrigger<Animation>())
    {
        animation->Restart();
    }
}

const FieldTable<TriggerSetFrame>& TriggerSetFrame::Fields()
{
    static const FieldTable<TriggerSetFrame> fields{
        Field<&TriggerSetFrame::frame>("frame").Label("Frame").Clamp(0.0f),
    };
    return fields;
}

void TriggerSetFrame::Execute(const TriggerContext& context)
{
    if (Sprite* sprite = Require<Sprite>(context, context.trigger, "a Sprite"))
    {
        sprite->frame = frame;
    }
}

const FieldTable<TriggerTimer>& TriggerTimer::Fields()
{
    static const FieldTable<TriggerTimer> fields{
        Field<&TriggerTimer::function>("function").Label("Function").Combo(timerNames),
    };
    return fields;
}

void TriggerTimer::Execute(const TriggerContext& context)
{
    TimerSystem& timer = *context.registry.GetSystem<TimerSystem>();
    switch (function)
    {
    case TimerFunction::Start:
        timer.Start();
        break;
    case TimerFunction::Split:
        timer.Split();
        break;
    case TimerFunction::Pause:
        timer.Pause();
        break;
    case TimerFunction::Reset:
        timer.Reset();
        break;
    }
}

} // namespace kesto
