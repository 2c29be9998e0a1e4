#pragma once

#include "ecs/Fields.h"
#include "engine/Vector.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kesto
{

class JsonReader;
class JsonWriter;
class SystemRegistry;

// The value of one of a function kind's own keys, in the JSON shape the key is stored with.
using TriggerValue = std::variant<int, float, bool, std::string, Vec2, Vec3>;

// One of a function kind's own keys and its value.
struct TriggerSetting
{
    std::string key;
    TriggerValue value;

    bool operator==(const TriggerSetting&) const = default;
};

// When a trigger function fires during a contact with the player; the number is the JSON form.
enum class TriggerEvent : int
{
    OnEnter = 0,   // only on the first frame of a contact
    OnCollide = 1, // every frame of a contact
};

// One scripted function of a trigger volume: when it fires, and the settings of its kind. A function is stored in
// JSON as a member named after its kind, so one trigger may hold several functions of the same kind.
class TriggerFunction
{
public:
    // The kinds' names in their fixed order (the editor's list); each is also the JSON member name of a function.
    static constexpr std::array<const char*, 18> kindNames = {
        "Dash Reset",       "Change Level",   "Camera Offset", "Camera Zoom",   "Spawn Archetype", "Set State",
        "Global Parameter", "Dash Reset VFX", "Frame Freeze",  "Ambient Light", "Tutorial",        "Switch",
        "SoundInstance",    "Play Animation", "Set Frame",     "Timer",         "StopMusic",       "FadeOut",
    };

    // A function of the kind named `editorName` with that kind's defaults; none when no kind has that name.
    static std::optional<TriggerFunction> Create(std::string_view editorName);

    const std::string& EditorName() const { return editorName; }
    // Writes the shared keys, then the kind's own.
    void Write(JsonWriter& writer) const;
    // Reads whichever shared and kind keys the reader's current object holds; others keep their values.
    void Read(JsonReader& reader);
    // Same kind, delay, dashRequired, happensOnce and settings; the event is not compared.
    bool Equals(const TriggerFunction& other) const;
    // "Event", "Delay", "Dash Required" and on its line "Happens Once", then one widget per setting, labelled
    // with its key; true when something changed.
    bool Inspect(SystemRegistry* registry);

    // The shared keys, in written order.
    static const FieldTable<TriggerFunction>& Fields();

    // The kind's setting `key` when it has one of that name and type T; null otherwise.
    template <typename T> const T* Get(std::string_view key) const
    {
        const TriggerValue* value = Find(key);
        return value ? std::get_if<T>(value) : nullptr;
    }

    TriggerEvent event = TriggerEvent::OnCollide;
    float delay = 0.0f;                   // seconds from the contact to the execution
    float pendingTimer = 0.0f;            // seconds left until execution; 0 when not scheduled
    bool dashRequired = false;            // only a dashing player sets it off
    bool happensOnce = false;             // removed from the trigger after its first execution
    std::vector<TriggerSetting> settings; // the kind's own keys, in the order they are written

private:
    TriggerFunction(std::string name, std::vector<TriggerSetting> defaults);

    const TriggerValue* Find(std::string_view key) const;

    std::string editorName;
};

} // namespace kesto
