#pragma once

#include "engine/Vector.h"
#include "gameplay/BehaviorPlayerSystem.h"
#include "gameplay/TriggerKind.h"

#include <string>

namespace kesto
{

// The trigger kinds that act on the player who touched the trigger (the toucher). Each needs the toucher's
// BehaviorPlayer.

// Gives back the toucher's jump and dash, unless it still has both; steps the "Portal_Rise" sound parameter through
// 1..6 for portals taken within two seconds of each other.
class TriggerDashReset : public TriggerKind<TriggerDashReset>
{
public:
    static constexpr const char* editorName = "Dash Reset";
    static const FieldTable<TriggerDashReset>& Fields();
    void Execute(const TriggerContext& context) override;
};

// The offset of the camera from the toucher.
class TriggerCameraOffset : public TriggerKind<TriggerCameraOffset>
{
public:
    static constexpr const char* editorName = "Camera Offset";
    static const FieldTable<TriggerCameraOffset>& Fields();
    void Execute(const TriggerContext& context) override;

    Vec2 offset;
};

// How far the camera zooms out around the toucher, as a multiple of the level's zoom, and how fast it gets there.
class TriggerCameraZoom : public TriggerKind<TriggerCameraZoom>
{
public:
    static constexpr const char* editorName = "Camera Zoom";
    static const FieldTable<TriggerCameraZoom>& Fields();
    void Execute(const TriggerContext& context) override;

    float scalar = 1.0f;
    float speed = 10.0f; // the remaining zoom difference shrinks by this factor per second
};

// Puts the toucher in a state; kill zones are "Dead", which a flying toucher ignores.
class TriggerSetState : public TriggerKind<TriggerSetState>
{
public:
    static constexpr const char* editorName = "Set State";
    static const FieldTable<TriggerSetState>& Fields();
    void Execute(const TriggerContext& context) override;

    PlayerState state = PlayerState::Normal;
};

// Effects of a dash-reset portal, shown only when the portal gives something back: the dash effect when the toucher
// dashes through (turned to the way it crossed), the pass effect either way.
class TriggerDashResetVFX : public TriggerKind<TriggerDashResetVFX>
{
public:
    static constexpr const char* editorName = "Dash Reset VFX";
    static const FieldTable<TriggerDashResetVFX>& Fields();
    void Execute(const TriggerContext& context) override;

    std::string dashArchetype;
    std::string passArchetype;
};

// Freezes the frame for a moment, but only once the toucher has used its dash.
class TriggerFrameFreeze : public TriggerKind<TriggerFrameFreeze>
{
public:
    static constexpr const char* editorName = "Frame Freeze";
    static const FieldTable<TriggerFrameFreeze>& Fields();
    void Execute(const TriggerContext& context) override;

    float time = 0.0f; // seconds of real time, at most one
};

// Shows a prompt teaching one action until the toucher has performed it; the player moves the prompt along.
class TriggerTutorial : public TriggerKind<TriggerTutorial>
{
public:
    static constexpr const char* editorName = "Tutorial";
    static const FieldTable<TriggerTutorial>& Fields();
    void Execute(const TriggerContext& context) override;

    std::string archetype;
    int tutorial = 0; // 0 move, 1 jump, 2 dash, 3 slow motion
};

} // namespace kesto
