#include "ecs/Fields.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"

#include <algorithm>
#include <string_view>

namespace kesto::detail
{

namespace
{

template <typename V> std::optional<FieldValue> Found(bool found, V&& value)
{
    return found ? std::optional<FieldValue>(std::forward<V>(value)) : std::nullopt;
}

float Clamped(float value, const FieldLook& look) { return std::clamp(value, look.min, look.max); }

int Clamped(int value, const FieldLook& look)
{
    // Compare in float: the limits may be infinite.
    const auto number = static_cast<float>(value);
    if (number < look.min)
    {
        return static_cast<int>(look.min);
    }
    if (number > look.max)
    {
        return static_cast<int>(look.max);
    }
    return value;
}

// While names are checked, a name that its list (levels, archetypes, events, sprite sources...) lacks is reported;
// the game finds out only when it uses the name.
void CheckName(const JsonReader& reader, const char* key, const std::string& name, NameSource names,
               SystemRegistry* registry)
{
    const Trace* trace = registry ? registry->GetSystem<Trace>() : nullptr;
    if (!trace || !trace->checkingNames || name.empty())
    {
        return;
    }
    const std::vector<std::string> known = names(registry);
    if (std::find(known.begin(), known.end(), name) == known.end())
    {
        TraceReport(registry, "DATA", reader.Where(),
                    std::string(key) + " \"" + name +
                        "\" names nothing the game has; it is used as it is and does "
                        "nothing");
    }
}

} // namespace

std::optional<FieldValue> ReadFieldValue(const JsonReader& reader, const char* key, const FieldLook& look,
                                         const FieldValue& shape, SystemRegistry* registry)
{
    if (look.storedAsText)
    {
        std::string text;
        if (!reader.TryReadString(key, text))
        {
            return std::nullopt;
        }
        const auto found = std::find(look.choices.begin(), look.choices.end(), std::string_view(text));
        if (found == look.choices.end())
        {
            TraceReport(registry, "DATA", reader.Where(), "unknown " + std::string(key) + " \"" + text + "\"");
            return FieldValue(0);
        }
        return FieldValue(static_cast<int>(found - look.choices.begin()));
    }
    return std::visit(
        [&](const auto& current) -> std::optional<FieldValue>
        {
            using V = std::decay_t<decltype(current)>;
            V value{};
            if constexpr (std::is_same_v<V, bool>)
            {
                return Found(reader.TryReadBool(key, value), value);
            }
            else if constexpr (std::is_same_v<V, int>)
            {
                return Found(reader.TryReadInt(key, value), value);
            }
            else if constexpr (std::is_same_v<V, float>)
            {
                return Found(reader.TryReadFloat(key, value), value);
            }
            else if constexpr (std::is_same_v<V, std::string>)
            {
                const bool found = reader.TryReadString(key, value);
                if (found && look.names)
                {
                    CheckName(reader, key, value, look.names, registry);
                }
                return Found(found, std::move(value));
            }
            else if constexpr (std::is_same_v<V, Vec2>)
            {
                return Found(reader.TryReadVec2(key, value), value);
            }
            else if constexpr (std::is_same_v<V, Vec3>)
            {
                return Found(reader.TryReadVec3(key, value), value);
            }
            else if constexpr (std::is_same_v<V, Vec4>)
            {
                return Found(reader.TryReadVec4(key, value), value);
            }
            else
            {
                return Found(reader.TryReadVec2List(key, value), std::move(value));
            }
        },
        shape);
}

void WriteFieldValue(JsonWriter& writer, const char* key, const FieldLook& look, const FieldValue& value)
{
    if (look.storedAsText)
    {
        // A number the game does not know is saved as the first choice, which is also what it reads back as.
        const int number = std::get<int>(value);
        const bool known = number >= 0 && static_cast<std::size_t>(number) < look.choices.size();
        writer.WriteString(key, look.choices[known ? static_cast<std::size_t>(number) : 0]);
        return;
    }
    std::visit(
        [&](const auto& current)
        {
            using V = std::decay_t<decltype(current)>;
            if constexpr (std::is_same_v<V, bool>)
            {
                writer.WriteBool(key, current);
            }
            else if constexpr (std::is_same_v<V, int>)
            {
                writer.WriteInt(key, current);
            }
            else if constexpr (std::is_same_v<V, float>)
            {
                writer.WriteFloat(key, current);
            }
            else if constexpr (std::is_same_v<V, std::string>)
            {
                writer.WriteString(key, current);
            }
            else if constexpr (std::is_same_v<V, Vec2>)
            {
                writer.WriteVec2(key, current);
            }
            else if constexpr (std::is_same_v<V, Vec3>)
            {
                writer.WriteVec3(key, current);
            }
            else if constexpr (std::is_same_v<V, Vec4>)
            {
                writer.WriteVec4(key, current);
            }
            else
            {
                writer.WriteVec2List(key, current);
            }
        },
        value);
}

void ClampFieldValue(const FieldLook& look, FieldValue& value)
{
    std::visit(
        [&](auto& current)
        {
            using V = std::decay_t<decltype(current)>;
            if constexpr (std::is_same_v<V, int> || std::is_same_v<V, float>)
            {
                current = Clamped(current, look);
            }
            else if constexpr (std::is_same_v<V, Vec2>)
            {
                current = {Clamped(current.x, look), Clamped(current.y, look)};
            }
            else if constexpr (std::is_same_v<V, Vec3>)
            {
                current = {Clamped(current.x, look), Clamped(current.y, look), Clamped(current.z, look)};
            }
            else if constexpr (std::is_same_v<V, Vec4>)
            {
                current = {Clamped(current.x, look), Clamped(current.y, look), Clamped(current.z, look),
                           Clamped(current.w, look)};
            }
        },
        value);
}

} // namespace kesto::detail
