#pragma once

#include "ecs/Component.h"

#include <string>
#include <vector>

namespace kesto
{

// One queued sound.
struct SoundRequest
{
    std::string eventPath; // empty: nothing to play
    bool positional = false;
    std::string parameterName;
    float parameterValue = 0.0f;
    bool started = false;
};

// Queues sound events and parameters for an entity.
class SoundEmitter : public ComponentOf<SoundEmitter, ComponentType::SoundEmitter>
{
public:
    void QueueSound(const SoundRequest& request) { soundQueue.push_back(request); }
    void QueueSoundOnce(const SoundRequest& request)
    {
        for (const SoundRequest& queued : soundQueue)
        {
            if (queued.eventPath == request.eventPath)
            {
                return;
            }
        }
        soundQueue.push_back(request);
    }

    std::vector<SoundRequest> soundQueue;
};

} // namespace kesto
