#pragma once

#include "engine/Vector.h"

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

// Field descriptions: a component (or any plain struct it stores) lists its fields once, and reading, writing,
// comparing and inspecting come from that list.
//
// Each entry names a member (or a path into a member struct), its JSON key and, when the field shows in the
// inspector, its label and widget. In the component's .cpp:
//
//     const FieldTable<Rotator>& Rotator::Fields()
//     {
//         static const FieldTable<Rotator> fields{
//             Field<&Rotator::speed>("speed").Label("Speed").Drag(0.1f),
//             Field<&Rotator::ccw>("ccw").Label("Counter-clockwise?"),
//         };
//         return fields;
//     }
//
// and in its header only `static const FieldTable<Rotator>& Fields();` — `ComponentOf` then supplies Write, Read,
// Equals and Inspect. Member kinds: bool, int, float, std::string, Vec2, Vec3, Vec4, std::vector<Vec2> (a point
// list) and enumerations (stored as their JSON number). Entries are written and read in list order; absent or
// mistyped keys leave the field as it is, and a float is read only from a number written with a fraction.
//
// Builder calls, all optional:
//   Label(text)         the inspector label; a field without one has no widget (it is still read and written)
//   Drag(speed) / Slider(min, max) / Color() / Combo(names) / Radio(names) / Names(source)   the widget
//   Texts(names)        an enumeration saved as the text of its value rather than the number
//   Format(printf)      how the number is shown, e.g. "%.3f"
//   Degrees()           a radian field shown and edited in degrees
//   Range(min, max)     edits stay within the range (per component for vectors)
//   Clamp(min, max)     edits and reads stay within the range
//   Section(heading)    a collapsing section of the inspector starts at this field
//   SameLine()          the widget goes on the line of the previous one
//   OnChange(&T::Fn)    called after the field was read or edited; OnEdit(&T::Fn) after edits only
//   InspectWith(&T::Fn) the field's widgets are hand-written: bool Fn(SystemRegistry*) draws them
//   Uncompared()        Equals ignores the field
// A component with rules the list cannot say overrides the slot concerned and calls the table for the rest.

namespace kesto
{

class JsonReader;
class JsonWriter;
class SystemRegistry;

// A field's value in one of the shapes a description supports.
using FieldValue = std::variant<bool, int, float, std::string, Vec2, Vec3, Vec4, std::vector<Vec2>>;

// The names a string field offers in a combo (every sprite source, every level...); the registry may be null.
using NameSource = std::vector<std::string> (*)(SystemRegistry* registry);

enum class FieldWidget : std::uint8_t
{
    Default, // check box, integer input, float drag, text input, vector drag or point list, by the value's kind
    Drag,
    Slider,
    Color,
    Combo, // integer value i picks choices[i]; a string value picks from names
    Radio,
};

// How a field shows in the inspector and which values it keeps.
struct FieldLook
{
    const char* label = nullptr;   // null: no widget
    const char* section = nullptr; // collapsing section opened before this field
    FieldWidget widget = FieldWidget::Default;
    float speed = 1.0f;           // drag speed, in shown units per pixel
    const char* format = nullptr; // printf format of the shown number; null: the widget's own
    float shownPerStored = 1.0f;  // the shown value is stored x shownPerStored
    float storedPerShown = 1.0f;  // an edited value is stored as shown x storedPerShown
    float min = -std::numeric_limits<float>::infinity();
    float max = std::numeric_limits<float>::infinity();
    bool clampOnRead = false;
    bool sameLine = false;
    bool storedAsText = false;            // the JSON holds choices[value] rather than the number
    std::span<const char* const> choices; // combo or radio items; item i is value i
    NameSource names = nullptr;           // combo items of a string field
};

// For hand-written inspectors: a combo "label" over the names of `source` (a text field when there are none);
// true when it replaced `value`. Needs a current ImGui frame.
bool InspectName(const char* label, std::string& value, NameSource source, SystemRegistry* registry);

namespace detail
{

// The value at `key` in the shape of `shape`, or none when the key is absent or has another shape. A text that
// names no choice of a field stored as text reads as choice 0 and is reported through the registry's Trace.
std::optional<FieldValue> ReadFieldValue(const JsonReader& reader, const char* key, const FieldLook& look,
                                         const FieldValue& shape, SystemRegistry* registry);
void WriteFieldValue(JsonWriter& writer, const char* key, const FieldLook& look, const FieldValue& value);
// Keeps every number of `value` within [look.min, look.max].
void ClampFieldValue(const FieldLook& look, FieldValue& value);
// The widget of one field; true when it edited `value`. Needs a current ImGui frame.
bool InspectFieldValue(const char* key, const FieldLook& look, FieldValue& value, SystemRegistry* registry);
// A collapsing section heading; true while it is open. Needs a current ImGui frame.
bool InspectSection(const char* heading);
// Scopes the widget ids of a hand-written field inspector to its key, as the generic widgets are.
void PushFieldId(const char* key);
void PopFieldId();

template <typename M> struct MemberClass;
template <typename C, typename V> struct MemberClass<V C::*>
{
    using Type = C;
};

template <typename V>
concept FieldKind = std::is_enum_v<V> || std::is_same_v<V, bool> || std::is_same_v<V, int> ||
    std::is_same_v<V, float> || std::is_same_v<V, std::string> || std::is_same_v<V, Vec2> || std::is_same_v<V, Vec3> ||
    std::is_same_v<V, Vec4> || std::is_same_v<V, std::vector<Vec2>>;

template <auto... path, typename T> decltype(auto) Resolve(T& object) { return (object.*....*path); }

template <typename V> FieldValue ToFieldValue(const V& value)
{
    if constexpr (std::is_enum_v<V>)
    {
        return FieldValue(std::in_place_type<int>, static_cast<int>(value));
    }
    else
    {
        return FieldValue(std::in_place_type<V>, value);
    }
}

template <typename V> void FromFieldValue(V& out, FieldValue&& value)
{
    if constexpr (std::is_enum_v<V>)
    {
        out = static_cast<V>(std::get<int>(value));
    }
    else
    {
        out = std::get<V>(std::move(value));
    }
}

} // namespace detail

// One described field of T; made with Field<&T::member>(key) and refined by the builder calls.
template <typename T> struct FieldDesc
{
    using Hook = void (T::*)();
    using Inspector = bool (T::*)(SystemRegistry*);

    const char* key = nullptr;
    FieldLook look;
    FieldValue (*get)(const T&) = nullptr;
    void (*set)(T&, FieldValue&&) = nullptr;
    Hook onChange = nullptr;
    Hook onEdit = nullptr;
    Inspector inspector = nullptr;
    bool compared = true;

    FieldDesc& Label(const char* text) { return look.label = text, *this; }
    FieldDesc& Drag(float speed) { return look.widget = FieldWidget::Drag, look.speed = speed, *this; }
    FieldDesc& Slider(float min, float max) { return look.widget = FieldWidget::Slider, Range(min, max); }
    FieldDesc& Color() { return look.widget = FieldWidget::Color, *this; }
    FieldDesc& Combo(std::span<const char* const> names)
    {
        return look.widget = FieldWidget::Combo, look.choices = names, *this;
    }
    FieldDesc& Radio(std::span<const char* const> names)
    {
        return look.widget = FieldWidget::Radio, look.choices = names, *this;
    }
    // An integer or enumeration stored in JSON as the text of its choice; shown as a combo.
    FieldDesc& Texts(std::span<const char* const> names)
    {
        return look.widget = FieldWidget::Combo, look.choices = names, look.storedAsText = true, *this;
    }
    FieldDesc& Names(NameSource source) { return look.widget = FieldWidget::Combo, look.names = source, *this; }
    FieldDesc& Format(const char* printf) { return look.format = printf, *this; }
    FieldDesc& Degrees() { return look.shownPerStored = 57.29578f, look.storedPerShown = 0.017453292f, *this; }
    FieldDesc& Range(float min, float max = std::numeric_limits<float>::infinity())
    {
        return look.min = min, look.max = max, *this;
    }
    FieldDesc& Clamp(float min, float max = std::numeric_limits<float>::infinity())
    {
        return look.clampOnRead = true, Range(min, max);
    }
    FieldDesc& Section(const char* heading) { return look.section = heading, *this; }
    FieldDesc& SameLine() { return look.sameLine = true, *this; }
    FieldDesc& OnChange(Hook hook) { return onChange = hook, *this; }
    FieldDesc& OnEdit(Hook hook) { return onEdit = hook, *this; }
    FieldDesc& InspectWith(Inspector hand) { return inspector = hand, *this; }
    FieldDesc& Uncompared() { return compared = false, *this; }
};

// Describes the field reached from T through `path` (one member, or a member struct and then its member) under
// the JSON key `key`.
template <auto first, auto... rest>
requires std::is_member_object_pointer_v<decltype(first)>
auto Field(const char* key)
{
    using T = typename detail::MemberClass<decltype(first)>::Type;
    using V = std::remove_cvref_t<decltype(detail::Resolve<first, rest...>(std::declval<T&>()))>;
    static_assert(detail::FieldKind<V>, "a described field is bool, int, float, string, VecN, a point list or enum");
    FieldDesc<T> field;
    field.key = key;
    field.get = [](const T& object) { return detail::ToFieldValue(detail::Resolve<first, rest...>(object)); };
    field.set = [](T& object, FieldValue&& value)
    { detail::FromFieldValue(detail::Resolve<first, rest...>(object), std::move(value)); };
    return field;
}

// Whether Equals compares the fields that are not Uncompared, or answers "not equal" as the base component does.
enum class Equality : std::uint8_t
{
    Fields,
    Never,
};

// The described fields of T, in JSON order.
template <typename T> class FieldTable
{
public:
    FieldTable(std::initializer_list<FieldDesc<T>> list, Equality compare = Equality::Fields)
        : fields(list), equality(compare)
    {
    }

    std::span<const FieldDesc<T>> Entries() const { return fields; }

    void Write(const T& object, JsonWriter& writer) const
    {
        for (const FieldDesc<T>& field : fields)
        {
            detail::WriteFieldValue(writer, field.key, field.look, field.get(object));
        }
    }

    // The registry, which may be null, receives reports of unknown choice texts.
    void Read(T& object, const JsonReader& reader, SystemRegistry* registry = nullptr) const
    {
        for (const FieldDesc<T>& field : fields)
        {
            std::optional<FieldValue> value =
                detail::ReadFieldValue(reader, field.key, field.look, field.get(object), registry);
            if (!value)
            {
                continue;
            }
            if (field.look.clampOnRead)
            {
                detail::ClampFieldValue(field.look, *value);
            }
            field.set(object, std::move(*value));
            Call(object, field.onChange);
        }
    }

    bool Equals(const T& a, const T& b) const
    {
        if (equality == Equality::Never)
        {
            return false;
        }
        for (const FieldDesc<T>& field : fields)
        {
            if (field.compared && field.get(a) != field.get(b))
            {
                return false;
            }
        }
        return true;
    }

    // Every described field equal, compared or not; what a write and a read must preserve.
    bool Same(const T& a, const T& b) const
    {
        for (const FieldDesc<T>& field : fields)
        {
            if (field.get(a) != field.get(b))
            {
                return false;
            }
        }
        return true;
    }

    // Draws every field's widgets in list order, sections folding theirs away; true when a value changed.
    bool Inspect(T& object, SystemRegistry* registry) const
    {
        bool changed = false;
        bool open = true;
        for (const FieldDesc<T>& field : fields)
        {
            if (field.look.section)
            {
                open = detail::InspectSection(field.look.section);
            }
            if (open)
            {
                changed |= InspectField(object, field, registry);
            }
        }
        return changed;
    }

    // Draws the widgets of the fields with the given keys, in the order given (a listed field that starts a section
    // opens it); true when a value changed.
    bool InspectOnly(T& object, SystemRegistry* registry, std::initializer_list<std::string_view> keys) const
    {
        bool changed = false;
        bool open = true;
        for (std::string_view key : keys)
        {
            for (const FieldDesc<T>& field : fields)
            {
                if (key != field.key)
                {
                    continue;
                }
                if (field.look.section)
                {
                    open = detail::InspectSection(field.look.section);
                }
                if (open)
                {
                    changed |= InspectField(object, field, registry);
                }
            }
        }
        return changed;
    }

private:
    static void Call(T& object, typename FieldDesc<T>::Hook hook)
    {
        if (hook)
        {
            (object.*hook)();
        }
    }

    static bool InspectField(T& object, const FieldDesc<T>& field, SystemRegistry* registry)
    {
        if (field.inspector)
        {
            detail::PushFieldId(field.key);
            const bool edited = (object.*field.inspector)(registry);
            detail::PopFieldId();
            return edited;
        }
        if (!field.look.label)
        {
            return false;
        }
        FieldValue value = field.get(object);
        if (!detail::InspectFieldValue(field.key, field.look, value, registry))
        {
            return false;
        }
        detail::ClampFieldValue(field.look, value);
        field.set(object, std::move(value));
        Call(object, field.onChange);
        Call(object, field.onEdit);
        return true;
    }

    std::vector<FieldDesc<T>> fields;
    Equality equality;
};

} // namespace kesto
