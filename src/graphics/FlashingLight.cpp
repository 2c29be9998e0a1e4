#include "graphics/FlashingLight.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

#include <algorithm>
#include <imgui.h>
#include <limits>
#include <string>

namespace kesto
{

namespace
{

// Key counts past this are not grown from the inspector.
constexpr int maxInspectedKeys = 1024;

} // namespace

const FieldTable<Keyframe>& Keyframe::Fields()
{
    static const FieldTable<Keyframe> fields{
        Field<&Keyframe::time>("time"),
        Field<&Keyframe::value>("value").Label("Value").Drag(0.01f),
        Field<&Keyframe::interpolate>("interpolate").Label("Interpolate to next"),
    };
    return fields;
}

const FieldTable<FlashingLight>& FlashingLight::Fields()
{
    static const FieldTable<FlashingLight> fields({}, Equality::Never);
    return fields;
}

void FlashingLight::Write(JsonWriter& writer) const
{
    for (std::size_t i = 0; i < keys.size(); ++i)
    {
        writer.BeginObject(std::to_string(i).c_str());
        Keyframe::Fields().Write(keys[i], writer);
        writer.EndObject();
    }
}

void FlashingLight::Read(JsonReader& reader, SystemRegistry*)
{
    std::vector<Keyframe> read;
    while (reader.Enter(std::to_string(read.size()).c_str()))
    {
        Keyframe& key = read.emplace_back();
        Keyframe::Fields().Read(key, reader);
        reader.Leave();
    }
    if (!read.empty())
    {
        keys = std::move(read);
        length = keys.back().time;
    }
}

bool FlashingLight::Inspect(SystemRegistry* registry)
{
    bool changed = false;
    int count = static_cast<int>(keys.size());
    if (ImGui::InputInt("Keyframe Count", &count))
    {
        count = std::clamp(count, 0, std::max(maxInspectedKeys, static_cast<int>(keys.size())));
        while (static_cast<int>(keys.size()) < count)
        {
            keys.push_back(keys.empty() ? Keyframe{} : keys.back());
        }
        keys.resize(static_cast<std::size_t>(count));
        length = keys.empty() ? 0.0f : keys.back().time;
        changed = true;
    }
    for (std::size_t i = 0; i < keys.size(); ++i)
    {
        ImGui::PushID(static_cast<int>(i));
        Keyframe& key = keys[i];
        if (i == 0)
        {
            ImGui::BeginDisabled();
            ImGui::DragFloat("Time", &key.time, 0.01f);
            ImGui::EndDisabled();
        }
        else if (ImGui::DragFloat("Time", &key.time, 0.01f))
        {
            const float next = i + 1 < keys.size() ? keys[i + 1].time : std::numeric_limits<float>::infinity();
            key.time = std::clamp(key.time, keys[i - 1].time, std::max(next, keys[i - 1].time));
            changed = true;
        }
        changed |= Keyframe::Fields().Inspect(key, registry);
        ImGui::PopID();
    }
    if (changed && !keys.empty())
    {
        length = keys.back().time;
    }
    return changed;
}

} // namespace kesto
