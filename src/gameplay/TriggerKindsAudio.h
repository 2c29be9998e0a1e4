#pragma once

#include "gameplay/TriggerKind.h"

#include <string>

namespace kesto
{

// The trigger kinds that act on sound.

// Sets a global parameter of the sound project.
class TriggerGlobalParameter : public TriggerKind<TriggerGlobalParameter>
{
public:
    static constexpr const char* editorName = "Global Parameter";
    static const FieldTable<TriggerGlobalParameter>& Fields();
    void Execute(const TriggerContext& context) override;

    std::string name;
    float value = 0.0f;
};

// Plays a sound event on the trigger's own SoundEmitter, which it needs.
class SoundInstance : public TriggerKind<SoundInstance>
{
public:
    static constexpr const char* editorName = "SoundInstance";
    static const FieldTable<SoundInstance>& Fields();
    void Execute(const TriggerContext& context) override;
    // A reminder of the emitter it needs, then the table's widgets.
    bool InspectOwn(SystemRegistry* registry);

    std::string eventName;
    bool positionalAudio = false;
};

// Stops the music, letting events play their fade-outs.
class StopMusic : public TriggerKind<StopMusic>
{
public:
    static constexpr const char* editorName = "StopMusic";
    static const FieldTable<StopMusic>& Fields();
    void Execute(const TriggerContext& context) override;
};

// Fades the music bus from the music volume to a volume over a time. With "Remove Fade" the end point of the fade is
// removed as soon as it is set, so the bus holds the volume it had.
class FadeOut : public TriggerKind<FadeOut>
{
public:
    static constexpr const char* editorName = "FadeOut";
    static const FieldTable<FadeOut>& Fields();
    void Execute(const TriggerContext& context) override;

    float fadeoutTime = 0.0f; // seconds
    float fadeoutVolume = 0.0f;
    bool removeFade = true;
};

} // namespace kesto
