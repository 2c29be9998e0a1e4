#include "audio/SoundEmitter.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

#include <algorithm>
#include <utility>

namespace kesto
{

void SoundEmitter::Write(JsonWriter& writer) const
{
    writer.WriteString("Sound", mainSound.eventPath);
    writer.WriteBool("Positional Audio", mainSound.positional);
    writer.WriteString("Parameter Name", mainSound.parameterName);
}

void SoundEmitter::Read(JsonReader& reader, SystemRegistry*)
{
    reader.TryReadString("Sound", mainSound.eventPath);
    reader.TryReadBool("Positional Audio", mainSound.positional);
    reader.TryReadString("Parameter Name", mainSound.parameterName);
}

bool SoundEmitter::Equals(const Component& other) const
{
    const auto* emitter = dynamic_cast<const SoundEmitter*>(&other);
    return emitter && mainSound.eventPath == emitter->mainSound.eventPath &&
           mainSound.positional == emitter->mainSound.positional;
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
