#include "animation/Animation.h"
#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "gameplay/BehaviorPlayer.h"
#include "gameplay/BehaviorPlayerSystem.h"
#include "graphics/Camera.h"
#include "input/PCInputManager.h"
#include "physics/Collider.h"
#include "physics/Gravity.h"
#include "physics/Rigidbody.h"
#include "ui/PauseSystem.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <cmath>

namespace kesto
{

namespace
{

// The hook-fall states' sheets: the first plays once, then the second loops.
struct HookSheets
{
    const char* first;
    const char* second;
};

HookSheets SheetsOf(int state)
{
    switch (static_cast<PlayerState>(state))
    {
    case PlayerState::HookFall1:
        return {"RuskHookN001", "RuskHookN002"};
    case PlayerState::HookFall2:
        return {"RuskHookN003", "RuskHookN004"};
    default:
        return {"RuskHookN007", "RuskHookN008"};
    }
}

} // namespace

void BehaviorPlayerSystem::FlyUpdate(PlayerParts& p, float dt)
{
    if (!Showing(p, flySheet))
    {
        Show(p, flySheet);
    }
    if (p.body.velocity.x < 0.0f)
    {
        p.sprite.flippedX = true;
    }
    else if (p.body.velocity.x > 0.0f)
    {
        p.sprite.flippedX = false;
    }
    float vy = p.gravity.amount * p.gravity.scale * dt;
    p.gravity.scale = 0.0f;
    const PCInputManager& keys = *registry->GetSystem<PCInputManager>();
    float vx = 0.0f;
    if (keys.IsKeyDown(GLFW_KEY_W))
    {
        vy += 2000.0f;
    }
    if (keys.IsKeyDown(GLFW_KEY_S))
    {
        vy -= 2000.0f;
    }
    if (keys.IsKeyDown(GLFW_KEY_A))
    {
        vx = -2000.0f;
    }
    if (keys.IsKeyDown(GLFW_KEY_D))
    {
        vx += 2000.0f;
    }
    p.body.velocity = {vx, vy};
    KeepFlightInBounds(p, dt);
}

void BehaviorPlayerSystem::KeepFlightInBounds(PlayerParts& p, float dt)
{
    const Camera& camera = *registry->GetSystem<Camera>();
    if (camera.unbounded || dt <= 0.0f)
    {
        return;
    }
    p.collider.Refresh(p.transform);
    const ColliderBox& box = p.collider.LocalBox();
    const CameraBounds& bounds = camera.bounds;
    const Vec2 at = p.transform.GetTranslation();
    const Vec2 next = at + p.body.velocity * dt;
    // The collider stays inside the bounds; a box wider than them is centred.
    const auto inside = [](float value, float low, float high)
    { return low <= high ? std::clamp(value, low, high) : (low + high) * 0.5f; };
    const Vec2 kept{inside(next.x, bounds.minX - box.left, bounds.maxX - box.right),
                    inside(next.y, bounds.minY - box.bottom, bounds.maxY - box.top)};
    if (kept != next)
    {
        p.body.velocity = (kept - at) / dt;
    }
}

void BehaviorPlayerSystem::HookEnter(PlayerParts& p)
{
    const int state = p.player.stateMachine.requestedState;
    if (state == static_cast<int>(PlayerState::HookFall1))
    {
        registry->GetSystem<ECS>()->systemStore.GetSystem<PauseSystem>()->allowPause = false;
        p.player.compassHidden = true;
        p.player.idleLoops = 0;
    }
    Show(p, SheetsOf(state).first);
}

void BehaviorPlayerSystem::HookUpdate(PlayerParts& p, float dt)
{
    const int state = p.player.stateMachine.activeState;
    const HookSheets sheets = SheetsOf(state);
    if (state == static_cast<int>(PlayerState::HookFall3) && p.IsGrounded() && Showing(p, sheets.first))
    {
        registry->GetSystem<Camera>()->Shake(0.2f, 0.075f, 0.075f, 0.0f, 0.0f);
        Rumble(0xFFFF, 0x7FFF, 0.7f);
    }
    p.body.velocity.x /= std::pow(10.0f, dt);
    p.body.velocity.y = std::max(p.body.velocity.y, -p.player.terminalVelocity);
    if (Showing(p, sheets.first) && p.animation.finished)
    {
        Show(p, sheets.second);
    }
}

void BehaviorPlayerSystem::FrozenUpdate(PlayerParts& p, float dt)
{
    p.body.velocity.x -= p.body.velocity.x * dt * 5.0f;
    p.body.velocity.y = std::max(p.body.velocity.y, -p.player.terminalVelocity);
    Land(p);
    if (p.IsGrounded() && !Showing(p, idleSheet))
    {
        Show(p, idleSheet);
    }
}

} // namespace kesto
