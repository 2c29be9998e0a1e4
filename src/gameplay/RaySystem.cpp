#include "gameplay/RaySystem.h"

#include "animation/Animation.h"
#include "audio/Audio.h"
#include "audio/SoundEmitter.h"
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "gameplay/Laser.h"
#include "gameplay/Steering.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSourceManager.h"
#include "levels/LevelManager.h"
#include "physics/Collider.h"
#include "physics/Rigidbody.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace kesto
{

// One laser's components for the current update.
struct LaserParts
{
    Entity entity;
    Laser& laser;
    Transform& transform;
    Collider& collider;
    Rigidbody* body;      // may be absent: the laser then cannot patrol
    Sprite* sprite;       // may be absent: nothing fades
    Animation* animation; // may be absent
    SoundEmitter* sounds; // may be absent: the laser is silent
};

namespace
{

void ShowSheet(SystemRegistry& registry, LaserParts& p, const char* sheet)
{
    if (p.sprite)
    {
        p.sprite->spriteSource = registry.GetSystem<SpriteSourceManager>()->Find(sheet);
    }
    if (p.animation)
    {
        p.animation->Restart();
    }
}

void SetAlpha(LaserParts& p, float alpha)
{
    if (p.sprite)
    {
        p.sprite->alpha = alpha;
    }
}

} // namespace

void RaySystem::Init()
{
    // A sound project without the parameter (the tests' own) has nothing to reset, and no failure to record.
    Audio& audio = *registry->GetSystem<ECS>()->systemStore.GetSystem<Audio>();
    const std::vector<std::string> names = audio.GlobalParameterNames();
    if (std::find(names.begin(), names.end(), finalLasersParameter) != names.end())
    {
        audio.SetGlobalParameter(finalLasersParameter, 0.0f);
    }
}

void RaySystem::Update(EntityList& entities, float dt)
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    for (const Entity& entity : entities)
    {
        LaserParts p{entity,
                     *store.GetComponent<Laser>(entity),
                     *store.GetComponent<Transform>(entity),
                     *store.GetComponent<Collider>(entity),
                     store.GetComponent<Rigidbody>(entity),
                     store.GetComponent<Sprite>(entity),
                     store.GetComponent<Animation>(entity),
                     store.GetComponent<SoundEmitter>(entity)};
        if (!p.laser.onOff)
        {
            SetOn(p, false, dt);
            continue;
        }
        if (p.laser.timerOn)
        {
            TimerStep(p, dt);
        }
        else
        {
            SetOn(p, true, dt);
        }
        if (p.laser.patrolOn)
        {
            PatrolStep(p);
        }
    }
}

void RaySystem::TimerStep(LaserParts& p, float dt)
{
    Laser& laser = p.laser;
    if (laser.delay > 0.0f)
    {
        laser.delay -= dt;
        return;
    }
    if (laser.timer >= 0.0f)
    {
        SetOn(p, true, dt);
        laser.timer -= dt;
        if (laser.timer <= 0.0f)
        {
            laser.timer = -laser.offTime;
        }
    }
    else
    {
        SetOn(p, false, dt);
        laser.timer += dt;
        if (laser.timer >= 0.0f)
        {
            // Later on phases include the charge-up.
            laser.timer = laser.chargeTime + laser.time;
        }
    }
}

void RaySystem::PatrolStep(LaserParts& p)
{
    if (p.laser.patrolPoints.empty() || !p.body)
    {
        ReportOnce(p.entity, p.body ? "patrols without patrol points; it stays where it is"
                                    : "patrols without a Rigidbody; it stays where it is");
        return;
    }
    FollowPatrol(p.laser.patrolPoints, p.laser.nextPatrolIndex, p.transform.GetTranslation(), p.laser.speed,
                 p.body->velocity);
}

void RaySystem::SetOn(LaserParts& p, bool on, float dt)
{
    const bool fullyOn = p.laser.charge >= 1.0f;
    if (on == fullyOn)
    {
        if (!on)
        {
            SetAlpha(p, 0.0f);
        }
        return;
    }
    if (on)
    {
        Charge(p, dt);
    }
    else
    {
        SwitchOff(p);
    }
}

void RaySystem::SwitchOff(LaserParts& p)
{
    p.laser.charge = 0.0f;
    SetAlpha(p, 0.0f);
    p.collider.disabled = true;
    ShowSheet(*registry, p, startupSheet);
    if (!p.laser.offSoundSent)
    {
        if (p.sounds)
        {
            p.sounds->QueueParameter(trapEvent, "parameter:/Laser_OnOff", 0.4f);
        }
        p.laser.offSoundSent = true;
    }
}

void RaySystem::Charge(LaserParts& p, float dt)
{
    Laser& laser = p.laser;
    if (laser.chargeTime > 0.0f)
    {
        laser.charge += dt / laser.chargeTime;
    }
    else
    {
        // No charge time: on at once, rather than a division by zero.
        laser.charge = 1.0f;
    }
    const float charge = std::clamp(laser.charge, 0.0f, 1.0f);
    SetAlpha(p, charge);
    // The beam grows from nothing to half its length while it charges.
    const float length = std::max(p.transform.GetScale().x, 0.0f);
    p.transform.SetScale({length, std::max(charge * length * 0.5f, 0.0f)});
    p.collider.MarkSizeStale();
    if (laser.charge < 1.0f || !p.collider.disabled)
    {
        return;
    }
    if (p.sounds)
    {
        p.sounds->QueueParameter(trapEvent, "parameter:/Laser_OnOff", 0.0f);
    }
    p.transform.SetScale({length, length});
    ShowSheet(*registry, p, onSheet);
    p.collider.disabled = false;
    CountFinalLaser(p);
}

void RaySystem::CountFinalLaser(LaserParts& p)
{
    const bool finalLaser =
        p.transform.GetScale().x > 1000.0f && registry->GetSystem<LevelManager>()->currentLevel == finalLevel;
    if (!p.laser.offSoundSent || !finalLaser)
    {
        p.laser.offSoundSent = false;
        return;
    }
    Audio& audio = *registry->GetSystem<ECS>()->systemStore.GetSystem<Audio>();
    audio.SetGlobalParameter(finalLasersParameter, std::trunc(audio.GetGlobalParameter(finalLasersParameter)) + 1.0f);
    if (p.sounds)
    {
        p.sounds->QueueSound({"event:/SFX/Environment/FinalLasers"});
    }
}

void RaySystem::ReportOnce(const Entity& entity, const char* what)
{
    if (reported.insert(entity.id).second)
    {
        registry->GetSystem<Trace>()->Report("GAMEPLAY", entity.name, what);
    }
}

} // namespace kesto
