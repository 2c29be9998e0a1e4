#pragma once

#include "ecs/ESystem.h"
#include "ecs/Transform.h"
#include "engine/Vector.h"
#include "gameplay/PlayerParts.h"
#include "gameplay/StateMachine.h"
#include "graphics/Sprite.h"
#include "input/MasterInputManager.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>

namespace kesto
{

// The player's states, in table order.
enum class PlayerState : int
{
    Normal = 0,
    Dash = 1,
    Dead = 2,
    Fly = 3,
    HookFall1 = 4,
    HookFall2 = 5,
    HookFall3 = 6,
    Frozen = 7,
    Respawn = 8,
};

// Runs the player controller: input to velocity and gravity scale, animation choice, sounds, camera follow.
class BehaviorPlayerSystem : public ESystem
{
public:
    // Binds the player's default actions and builds the state table.
    void Init() override;
    // Runs once per substep; does nothing at all for a step of 0 (pause, frame freeze). The time slow and the
    // tutorial's progress run on the frame's time, in its first substep.
    void Update(EntityList& entities, float dt) override;
    // Flying enemies, triggers and checkpoints, in that order.
    std::vector<ESystem*> CollisionTargets() override;

    const StateTable& States() const { return states; }

    float afterimageInterval = 1.0f / 15.0f; // seconds between poses handed to the renderer's afterimages
    float deadTimer = 0.0f;                  // time spent in "Dead"
    float respawnTimer = 0.0f;               // time spent respawning
    Vec2 savedColliderScale{1.0f, 1.0f};     // the collider size the player had when it died

    // Sprite source names of the player's sheets.
    static constexpr const char* idleSheet = "RuskIdleV3";
    static constexpr const char* idle2Sheet = "RuskIdle2V3";
    static constexpr const char* runSheet = "RuskRunV3";
    static constexpr const char* jumpSheet = "RuskJumpV3";
    static constexpr const char* fallSheet = "RuskFallV3";
    static constexpr const char* dashSheet = "RuskDashV3";
    static constexpr const char* flySheet = "EnemyIdleV1";

private:
    // The player's components, or nothing (reported once per entity) when one it needs is missing.
    std::optional<PlayerParts> Gather(const Entity& entity);

    // Normal state.
    void NormalEnter(PlayerParts& p);
    void NormalUpdate(PlayerParts& p, float dt);
    void NormalExit(PlayerParts& p);
    void Land(PlayerParts& p);
    void RunInput(PlayerParts& p, float dt);
    void Brake(PlayerParts& p, float dt);
    // True when a buffered press met an available jump (the jump itself happens only in Normal).
    bool TryJump(PlayerParts& p, float dt);
    void SelectAnimation(PlayerParts& p);
    void SelectGroundedAnimation(PlayerParts& p);

    // Dash and aim.
    enum class AimBy
    {
        Stick,
        Keys,
        Mouse,
    };
    bool TryDash(PlayerParts& p, float dt);
    void DashEnter(PlayerParts& p);
    void DashUpdate(PlayerParts& p, float dt);
    void DashExit(PlayerParts& p);
    // Stopped by solids on every axis the dash moves along.
    bool IsDashBlocked(const PlayerParts& p) const;
    // Turns the sprite to the dash's angle about the collider's centre.
    void TurnForDash(PlayerParts& p, float angle);
    // What the compass aims with: the stick while the pad is in use, else the keys once they aimed, else the mouse.
    AimBy CurrentAimMode();
    // Points the aim along the stick, the held direction keys or towards the mouse; true when it got a direction.
    bool UpdateAim(PlayerParts& p, AimBy by);
    // One of eight directions from the held move and aim keys; the facing direction when none is held.
    Vec2 KeyboardAim(const PlayerParts& p);
    void UpdateCompass(PlayerParts& p, float dt);

    // Time slow and its bar.
    void UpdateTimeSlow(PlayerParts& p, float dt);
    void ShowTimeSlowBar(PlayerParts& p);

    // Death and respawn.
    void DeadEnterFromOther(PlayerParts& p);
    void DeadUpdate(PlayerParts& p, float dt);
    void RespawnEnter(PlayerParts& p);
    void RespawnUpdate(PlayerParts& p, float dt);

    // Scripted states.
    void FlyUpdate(PlayerParts& p, float dt);
    // Keeps a flight's next step inside the camera bounds, so flying cannot leave the level.
    void KeepFlightInBounds(PlayerParts& p, float dt);
    void HookEnter(PlayerParts& p);
    void HookUpdate(PlayerParts& p, float dt);
    void FrozenUpdate(PlayerParts& p, float dt);

    // Debug keys, afterimages and tutorial prompts.
    void HandleDebugKeys(PlayerParts& p);
    void MoveToNextWaypoint(PlayerParts& p);
    void RecordAfterimage(PlayerParts& p, float dt);
    // Progress counts in the frame's first substep only; the prompt follows the player every substep.
    void UpdateTutorial(PlayerParts& p, float dt, bool firstSubstep);

    // Camera.
    void PlaceCameraOnFirstFrame(PlayerParts& p);
    void FollowWithCamera(PlayerParts& p, float dt);
    // The camera's target for the player: position plus the camera offset scaled by the zoom, inside the bounds.
    Vec2 CameraTarget(const PlayerParts& p) const;
    void Rumble(std::uint16_t left, std::uint16_t right, float seconds);

    // Shared helpers.
    bool Showing(const PlayerParts& p, const char* sheet) const;
    // Gives the sprite another sheet and restarts its animation.
    void Show(PlayerParts& p, const char* sheet);
    void QueueSound(PlayerParts& p, const std::string& eventPath);
    // Starts an emission of the player's particle emitter by name; nothing without one.
    void PlayEmission(PlayerParts& p, const std::string& emissionName);
    // Whether new particles of the "Dash" emission take its blend colour (the dash-recharge glow).
    void SetDashGlow(PlayerParts& p, bool glowing);
    // Creates an archetype's entity and files it under the level; Entity::None() for an empty or unknown name.
    Entity SpawnInLevel(const std::string& archetype);
    MasterInputManager& Input() const;

    // Runs a member callback for the state table.
    template <void (BehaviorPlayerSystem::*member)(PlayerParts&)> static void Call(ESystem& s, const Entity& e);
    template <void (BehaviorPlayerSystem::*member)(PlayerParts&, float)>
    static void CallUpdate(ESystem& s, const Entity& e, float dt);

    StateTable states;
    std::unordered_set<std::uint32_t> reportedIncomplete;
    float afterimageTimer = 0.0f;
    Vec2 aim{1.0f, 0.0f};                          // unit aim direction, kept across frames
    InputSource dashPressedBy = InputSource::None; // the binding that started the dash being entered
    bool aimingWithKeys = false;                   // the keys aimed last; the mouse takes over when it moves
    Vec2 dashPoseShift;                            // added to the sprite's offset while it is turned for a dash
};

} // namespace kesto
