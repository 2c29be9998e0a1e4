// The renderer's timed scene state: slow-motion tint, screen transition, CRT amount and ambient transition.
#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "graphics/RendererSystem.h"

#include <algorithm>
#include <cmath>

namespace kesto
{

namespace
{

constexpr float slowMotionRiseRate = 10.0f; // per second
constexpr float slowMotionFallRate = 5.0f;
constexpr float crtOnBase = 1000.0f;    // the remaining distance shrinks by this factor per second
constexpr float crtOffBase = 100000.0f; // switching off decays faster
constexpr float crtSnap = 0.001f;

} // namespace

void RendererSystem::AdvanceEffects(float dt)
{
    const float slowStep = slowMotionOn ? slowMotionRiseRate * dt : -slowMotionFallRate * dt;
    timeSlow = std::clamp(timeSlow + slowStep, 0.0f, 1.0f);

    const float step = transitionDuration == 0.0f ? 1.0f : dt / transitionDuration;
    transition = std::clamp(transition + (fadingOut ? step : -step), 0.0f, 1.0f);

    if (dt > 0.0f)
    {
        if (crtOn && crtAmount != 1.0f)
        {
            const float d = 1.0f - crtAmount;
            crtAmount += d - d / std::pow(crtOnBase, dt);
        }
        else if (!crtOn && crtAmount != 0.0f)
        {
            const float d = -crtAmount;
            crtAmount += d - d / std::pow(crtOffBase, dt);
        }
    }
    if (crtAmount < crtSnap)
    {
        crtAmount = 0.0f;
    }
    else if (crtAmount > 1.0f - crtSnap)
    {
        crtAmount = 1.0f;
    }
}

void RendererSystem::AdvanceAmbient(float dt)
{
    if (ambientTimeLeft > 0.0f)
    {
        ambientTimeLeft -= dt;
        if (ambientTimeLeft <= 0.0f)
        {
            ambient = ambientTarget;
            ambientTimeLeft = 0.0f;
        }
        else
        {
            const float f = std::sqrt(dt / (dt + ambientTimeLeft));
            ambient = ambient * (1.0f - f) + ambientTarget * f;
        }
        if (registry->GetSystem<ECS>()->systemStore.editorMode)
        {
            clearColor = ambient * 0.5f;
        }
    }
}

} // namespace kesto
