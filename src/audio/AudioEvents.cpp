#include "audio/Audio.h"
#include "ecs/Transform.h"

#include <string>

namespace kesto
{

void Audio::PlayEvent(const std::string& path) { PlayInstance(path, path); }

void Audio::StopEvent(const std::string& path)
{
    const auto found = instances.find(path);
    if (found != instances.end())
    {
        Check(found->second.Stop(studio::StopMode::Immediate));
    }
}

void Audio::PlayEmitterEvent(const std::string& path, std::uint32_t entityId)
{
    PlayInstance(path + std::to_string(entityId), path);
}

// One key holds at most one instance, so a second start restarts the sound instead of overlapping it.
void Audio::PlayInstance(const std::string& key, const std::string& path)
{
    const auto event = events.find(path);
    if (event == events.end())
    {
        return;
    }
    studio::EventInstance& instance = instances[key];
    if (!instance.IsValid() && Check(event->second.CreateInstance(&instance)) != studio::Result::Ok)
    {
        instances.erase(key);
        return;
    }
    Check(instance.Start());
}

void Audio::SetEventParameter(const std::string& key, const std::string& name, float value)
{
    const auto found = instances.find(key);
    if (name.empty() || found == instances.end())
    {
        return;
    }
    Check(found->second.SetParameterByName(name, value));
}

void Audio::SetEvent3DAttributes(const Transform& transform, const std::string& key)
{
    const Vec2 position = transform.GetTranslation();
    studio::Attributes3D attributes;
    attributes.position = {position.x, position.y, 0.0f};
    attributes.forward = {0.0f, 0.0f, -1.0f};
    attributes.up = {0.0f, 1.0f, 0.0f};
    Check(FindInstance(key).Set3DAttributes(attributes));
}

float Audio::GetGlobalParameter(const std::string& name)
{
    float value = 0.0f;
    if (studioSystem)
    {
        Check(studioSystem->GetParameterByName(name, &value));
    }
    return value;
}

void Audio::SetGlobalParameter(const std::string& name, float value)
{
    if (studioSystem)
    {
        Check(studioSystem->SetParameterByName(name, value));
    }
}

void Audio::ResetGlobalParameters()
{
    for (const auto& [path, description] : parameters)
    {
        if (studio::HasFlag(description.flags, studio::ParameterFlag::Global))
        {
            SetGlobalParameter(path, 0.0f);
        }
    }
}

void Audio::ReleaseAllInstances()
{
    for (auto& [key, instance] : instances)
    {
        Check(instance.Release());
    }
    instances.clear();
}

} // namespace kesto
