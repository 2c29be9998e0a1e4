#include "gameplay/TriggerKindsAudio.h"

#include "audio/Audio.h"
#include "audio/SoundEmitter.h"
#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"

#include <imgui.h>

namespace kesto
{

const FieldTable<TriggerGlobalParameter>& TriggerGlobalParameter::Fields()
{
    static const FieldTable<TriggerGlobalParameter> fields{
        Field<&TriggerGlobalParameter::name>("name").Label("Parameter").Names(AudioGlobalParameterNames),
        Field<&TriggerGlobalParameter::value>("value").Label("Parameter Value").Drag(0.1f),
    };
    return fields;
}

void TriggerGlobalParameter::Execute(const TriggerContext& context)
{
    context.Systems().GetSystem<Audio>()->SetGlobalParameter(name, value);
}

const FieldTable<SoundInstance>& SoundInstance::Fields()
{
    static const FieldTable<SoundInstance> fields{
        Field<&SoundInstance::eventName>("EventName").Label("Sound Name").Names(AudioEventNames),
        Field<&SoundInstance::positionalAudio>("PositionalAudio").Label("Positional Audio"),
    };
    return fields;
}

bool SoundInstance::InspectOwn(SystemRegistry* registry)
{
    ImGui::AlignTextToFramePadding();
    ImGui::TextUnformatted("Entity MUST have a sound emitter");
    return Fields().Inspect(*this, registry);
}

void SoundInstance::Execute(const TriggerContext& context)
{
    SoundEmitter* sounds = Require<SoundEmitter>(context, context.trigger, "a SoundEmitter");
    if (sounds && !eventName.empty())
    {
        sounds->QueueSoundOnce({eventName, positionalAudio});
    }
}

const FieldTable<StopMusic>& StopMusic::Fields()
{
    static const FieldTable<StopMusic> fields{};
    return fields;
}

void StopMusic::Execute(const TriggerContext& context)
{
    context.Systems().GetSystem<Audio>()->StopMusic(AudioStopMode::AllowFadeOut);
}

const FieldTable<FadeOut>& FadeOut::Fields()
{
    static const FieldTable<FadeOut> fields{
        Field<&FadeOut::fadeoutTime>("Fadeout Time").Label("Fadeout Time").Drag(0.1f),
        Field<&FadeOut::fadeoutVolume>("Fadeout Volume").Label("Fadeout Volume").Drag(0.1f),
        Field<&FadeOut::removeFade>("Remove Fade").Label("Remove Fade After Ending"),
    };
    return fields;
}

void FadeOut::Execute(const TriggerContext& context)
{
    Audio& audio = *context.Systems().GetSystem<Audio>();
    const std::uint64_t end = audio.FadeMusic(fadeoutTime, fadeoutVolume);
    if (removeFade)
    {
        audio.RemoveMusicFadePoints(end, end);
    }
}

} // namespace kesto
