#pragma once

#include "ecs/JsonReader.h"
#include "engine/Trace.h"
#include "gameplay/TriggerFunction.h"

#include <memory>
#include <string>
#include <string_view>
#include <variant>

namespace kesto
{

namespace detail
{

// Puts back the default of every choice field whose number names no choice, with one report per field: a state or
// a transition type the game does not have would otherwise reach the systems it indexes.
template <typename T>
void KeepChoicesInRange(const FieldTable<T>& table, T& object, const T& defaults, const JsonReader& reader,
                        SystemRegistry* registry, std::string_view kind)
{
    for (const FieldDesc<T>& field : table.Entries())
    {
        if (field.look.choices.empty() || field.look.storedAsText)
        {
            continue;
        }
        const FieldValue value = field.get(object);
        const int* number = std::get_if<int>(&value);
        const auto count = static_cast<int>(field.look.choices.size());
        if (number && (*number < 0 || *number >= count))
        {
            TraceReport(registry, "DATA", reader.SourceName(),
                        std::string(kind) + " \"" + field.key + "\" " + std::to_string(*number) +
                            " is not one of its " + std::to_string(count) + " choices; the default is kept");
            field.set(object, field.get(defaults));
        }
    }
}

} // namespace detail

// Supplies the slots every kind shares from the shared field table and the kind's own: Derived declares
// `static constexpr const char* editorName`, `static const FieldTable<Derived>& Fields();` and Execute, and
// overrides InspectOwn only for widgets its table cannot describe.
template <typename Derived> class TriggerKind : public TriggerFunction
{
public:
    void Write(JsonWriter& writer) const override
    {
        TriggerFunction::Fields().Write(*this, writer);
        Derived::Fields().Write(Self(), writer);
    }

    void Read(JsonReader& reader, SystemRegistry* registry) override
    {
        TriggerFunction::Fields().Read(*this, reader, registry);
        Derived::Fields().Read(Self(), reader, registry);
        const Derived defaults;
        detail::KeepChoicesInRange<TriggerFunction>(TriggerFunction::Fields(), *this, defaults, reader, registry,
                                                    Derived::editorName);
        detail::KeepChoicesInRange(Derived::Fields(), Self(), defaults, reader, registry, Derived::editorName);
    }

    bool Inspect(SystemRegistry* registry) override
    {
        const bool shared = TriggerFunction::Fields().Inspect(*this, registry);
        const bool own = Self().InspectOwn(registry);
        return shared || own;
    }

    std::string_view EditorName() const override { return Derived::editorName; }

    bool Equals(const TriggerFunction& other) const override
    {
        const auto* same = dynamic_cast<const Derived*>(&other);
        return same && TriggerFunction::Fields().Equals(*this, *same) && Derived::Fields().Equals(Self(), *same);
    }

    std::unique_ptr<TriggerFunction> Clone() const override { return std::make_unique<Derived>(Self()); }

    // The kind's own widgets.
    bool InspectOwn(SystemRegistry* registry) { return Derived::Fields().Inspect(Self(), registry); }

private:
    Derived& Self() { return static_cast<Derived&>(*this); }
    const Derived& Self() const { return static_cast<const Derived&>(*this); }
};

} // namespace kesto
