#pragma once

#include "ecs/Component.h"

#include <string>
#include <utility>
#include <vector>

namespace kesto
{

// One queued sound. Built from just a path for one-shots: `emitter.QueueSound({"event:/SFX/Player/Jump"})`.
struct SoundRequest
{
    SoundRequest() = default;
    // Not explicit, so that a path alone (or a path and the positional flag) makes a request.
    SoundRequest(std::string path, bool isPositional = false, std::string parameter = {}, float value = 0.0f)
        : eventPath(std::move(path)), positional(isPositional), parameterName(std::move(parameter)),
          parameterValue(value)
    {
    }

    std::string eventPath;     // empty = nothing to play (the request stays queued)
    bool positional = false;   // the instance follows the entity's transform
    std::string parameterName; // instance parameter set when the sound starts; empty = none
    float parameterValue = 0.0f;
    bool started = false; // its instance has been started
};

// One queued change of an instance parameter; applied to the entity's next serviced sound.
struct ParameterRequest
{
    std::string eventPath; // carried for the caller's benefit; the change goes to whichever sound is serviced
    std::string parameterName;
    float value = 0.0f;
};

// How an entity makes sound: a main sound played once when the entity first runs, and queues that gameplay
// fills at any time. Nothing plays at once: the `Audio` system starts queued sounds at its next service of the
// entity, as instances private to it, and drops each request once its instance has stopped.
class SoundEmitter : public ComponentOf<SoundEmitter, ComponentType::SoundEmitter>
{
public:
    static const FieldTable<SoundEmitter>& Fields();
    // The "Sound" combo, "Positional Audio", and a "Clear" button while a sound is set.
    bool Inspect(SystemRegistry* registry) override;

    // Appends; sounds queued twice start the same instance twice, the second start restarting it.
    void QueueSound(SoundRequest request);
    // Appends unless a request with the same event path is already queued, started or not.
    void QueueSoundOnce(SoundRequest request);
    void QueueParameter(std::string eventPath, std::string parameterName, float value);

    bool playOnStart = true; // queue the main sound at the next service; not serialized
    SoundRequest mainSound;  // "Sound", "Positional Audio", "Parameter Name"
    std::vector<SoundRequest> soundQueue;
    std::vector<ParameterRequest> parameterQueue;
};

} // namespace kesto
