#pragma once

#include "ecs/Component.h"
#include "ecs/Fields.h"

#include <vector>

namespace kesto
{

// One point of a flashing light's opacity track.
struct Keyframe
{
    float time = 0.0f;        // seconds from the start of the loop
    float value = 0.0f;       // sprite opacity, used clamped to 0..1
    bool interpolate = false; // blend linearly towards the next key

    // "time", "value" and "interpolate"; the time's widget belongs to the light, which keeps keys in order.
    static const FieldTable<Keyframe>& Fields();

    bool operator==(const Keyframe&) const = default;
};

// Makes a sprite flash along a looping keyframe track.
class FlashingLight : public ComponentOf<FlashingLight, ComponentType::FlashingLight>
{
public:
    // Nothing is described at the top level; lights never compare equal.
    static const FieldTable<FlashingLight>& Fields();
    // One object per key, named by its index ("0", "1", ...).
    void Write(JsonWriter& writer) const override;
    // Keys "0", "1", ... up to the first missing index replace the track; length becomes the last key's time.
    void Read(JsonReader& reader, SystemRegistry* registry) override;
    // "Keyframe Count", then each key's "Time" (fixed for the first key, kept between its neighbours), "Value" and
    // "Interpolate to next".
    bool Inspect(SystemRegistry* registry) override;

    std::vector<Keyframe> keys; // in time order
    float time = 0.0f;          // seconds into the loop
    float length = 0.0f;        // loop length in seconds: the last key's time
};

} // namespace kesto
