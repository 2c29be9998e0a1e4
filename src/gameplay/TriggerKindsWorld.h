#pragma once

#include "engine/Vector.h"
#include "gameplay/TriggerKind.h"
#include "graphics/ScreenTransition.h"

#include <string>

namespace kesto
{

// The trigger kinds that act on the level, the trigger itself or the game's systems.

// Changes level with a fade.
class TriggerNextLevel : public TriggerKind<TriggerNextLevel>
{
public:
    static constexpr const char* editorName = "Change Level";
    static const FieldTable<TriggerNextLevel>& Fields();
    void Execute(const TriggerContext& context) override;

    std::string level;
    float fadeOutLength = 0.5f; // seconds
    float fadeHoldLength = 0.5f;
    float fadeInLength = 0.5f;
    ScreenTransition type = ScreenTransition::Slide;

private:
    // "Level" offers the level names and fills an empty name with the first of them.
    bool InspectLevel(SystemRegistry* registry);
};

// What a spawned archetype's position is relative to; the number is the JSON form.
enum class SpawnOrigin : int
{
    World = 0,
    Trigger = 1,
    Player = 2,
};

// Creates an archetype's entity in the level.
class TriggerSpawnArchetype : public TriggerKind<TriggerSpawnArchetype>
{
public:
    static constexpr const char* editorName = "Spawn Archetype";
    static const FieldTable<TriggerSpawnArchetype>& Fields();
    void Execute(const TriggerContext& context) override;

    std::string name;
    Vec2 position;
    SpawnOrigin relative = SpawnOrigin::World;
};

// Moves the scene's ambient light to a colour over a time (at once for 0).
class TriggerAmbientLight : public TriggerKind<TriggerAmbientLight>
{
public:
    static constexpr const char* editorName = "Ambient Light";
    static const FieldTable<TriggerAmbientLight>& Fields();
    void Execute(const TriggerContext& context) override;

    Vec3 color;
    float time = 0.0f; // seconds
};

// Toggles the lasers wired to its number, once per entity lifetime.
class TriggerSwitch : public TriggerKind<TriggerSwitch>
{
public:
    static constexpr const char* editorName = "Switch";
    static const FieldTable<TriggerSwitch>& Fields();
    void Execute(const TriggerContext& context) override;

    int number = 0;
    bool enabled = true; // cleared by its first use; not saved
};

// Gives the trigger's sprite another sheet and restarts its animation.
class TriggerAnimationPlay : public TriggerKind<TriggerAnimationPlay>
{
public:
    static constexpr const char* editorName = "Play Animation";
    static const FieldTable<TriggerAnimationPlay>& Fields();
    void Execute(const TriggerContext& context) override;

    std::string source;
};

// Shows one cell of the trigger's sprite sheet.
class TriggerSetFrame : public TriggerKind<TriggerSetFrame>
{
public:
    static constexpr const char* editorName = "Set Frame";
    static const FieldTable<TriggerSetFrame>& Fields();
    void Execute(const TriggerContext& context) override;

    int frame = 0;
};

// What a timer trigger does to the speed-run timer; the number is the JSON form.
enum class TimerFunction : int
{
    Start = 0,
    Split = 1,
    Pause = 2,
    Reset = 3,
};

// Drives the speed-run timer.
class TriggerTimer : public TriggerKind<TriggerTimer>
{
public:
    static constexpr const char* editorName = "Timer";
    static const FieldTable<TriggerTimer>& Fields();
    void Execute(const TriggerContext& context) override;

    TimerFunction function = TimerFunction::Start;
};

} // namespace kesto
