#include "audio/SoundEmitter.h"

#include "audio/Audio.h"

#include <algorithm>
#include <imgui.h>
#include <utility>

namespace kesto
{

const FieldTable<SoundEmitter>& SoundEmitter::Fields()
{
    // Equal with the same "Sound" and "Positional Audio"; the parameter name does not count.
    static const FieldTable<SoundEmitter> fields{
        Field<&SoundEmitter::mainSound, &SoundRequest::eventPath>("Sound").Label("Sound").Names(AudioEventNames),
        Field<&SoundEmitter::mainSound, &SoundRequest::positional>("Positional Audio").Label("Positional Audio"),
        Field<&SoundEmitter::mainSound, &SoundRequest::parameterName>("Parameter Name").Uncompared(),
    };
    return fields;
}

bool SoundEmitter::Inspect(SystemRegistry* registry)
{
    bool changed = Fields().Inspect(*this, registry);
    if (!mainSound.eventPath.empty() && ImGui::Button("Clear"))
    {
        mainSound.eventPath.clear();
        changed = true;
    }
    return changed;
}

void SoundEmitter::QueueSound(SoundRequest request) { soundQueue.push_back(std::move(request)); }

void SoundEmitter::QueueSoundOnce(SoundRequest request)
{
    const bool queued = std::any_of(soundQueue.begin(), soundQueue.end(),
                                    [&](const SoundRequest& other) { return other.eventPath == request.eventPath; });
    if (!queued)
    {
        soundQueue.push_back(std::move(request));
    }
}

void SoundEmitter::QueueParameter(std::string eventPath, std::string parameterName, float value)
{
    parameterQueue.push_back({std::move(eventPath), std::move(parameterName), value});
}

} // namespace kesto
