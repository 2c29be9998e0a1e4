#include "audio/Audio.h"
#include "audio/AudioInternal.h"
#include "audio/SoundEmitter.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "graphics/Camera.h"

#include <string>

namespace kesto
{

bool IsFarOutsideView(Vec2 point, Vec2 cameraPosition, float viewHeight, float aspect)
{
    const float reach = 2.0f * viewHeight * aspect;
    const Vec2 offset = point - cameraPosition;
    return offset.x * offset.x + offset.y * offset.y > reach * reach;
}

bool Audio::OutsideHearing(const Transform& transform) const
{
    const Camera* camera = registry->GetSystem<Camera>();
    return IsFarOutsideView(transform.GetTranslation(), camera->GetPosition(), camera->GetZoom(), camera->GetAspect());
}

void Audio::ServiceEmitter(const Entity& entity, SoundEmitter& emitter, Transform* transform)
{
    if (emitter.playOnStart)
    {
        SoundRequest main = emitter.mainSound;
        main.started = false;
        emitter.soundQueue.push_back(std::move(main));
        emitter.playOnStart = false;
    }
    std::vector<SoundRequest>& queue = emitter.soundQueue;
    std::size_t index = 0;
    while (index < queue.size())
    {
        SoundRequest& request = queue[index];
        if (request.eventPath.empty())
        {
            ++index;
            continue;
        }
        // Such a request would never get an instance that could report it stopped.
        if (!HasEvent(request.eventPath))
        {
            Report(request.eventPath,
                   "not a known event; dropped from the sound queue of entity " + std::to_string(entity.id));
            queue.erase(queue.begin() + static_cast<std::ptrdiff_t>(index));
            continue;
        }
        const std::string key = request.eventPath + std::to_string(entity.id);
        const bool placed = request.positional && transform != nullptr;
        if (!request.started)
        {
            PlayEmitterEvent(request.eventPath, entity.id);
            SetEventParameter(key, request.parameterName, request.parameterValue);
            if (placed)
            {
                SetEvent3DAttributes(*transform, key);
            }
            request.started = true;
        }
        if (transform != nullptr && OutsideHearing(*transform))
        {
            emitter.parameterQueue.clear();
        }
        // From the last queued to the first: of two changes to one parameter, the earlier is set last and stays.
        while (!emitter.parameterQueue.empty())
        {
            const ParameterRequest& change = emitter.parameterQueue.back();
            SetEventParameter(key, change.parameterName, change.value);
            emitter.parameterQueue.pop_back();
        }
        studio::PlaybackState state = studio::PlaybackState::Stopped;
        // No instance (released since it started) counts as stopped.
        Check(FindInstance(key).GetPlaybackState(&state));
        if (state == studio::PlaybackState::Playing && placed)
        {
            SetEvent3DAttributes(*transform, key);
        }
        if (state == studio::PlaybackState::Stopped)
        {
            queue.erase(queue.begin() + static_cast<std::ptrdiff_t>(index));
            continue;
        }
        ++index;
    }
}

} // namespace kesto
