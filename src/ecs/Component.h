#pragma once

#include "ecs/ComponentType.h"
#include "ecs/Fields.h"

#include <memory>

namespace kesto
{

class JsonReader;
class JsonWriter;
class SystemRegistry;

// A piece of entity data of one concrete class, owned by the entity store's table for its type index.
class Component
{
public:
    virtual ~Component() = default;

    // Writes one member per serialized field into the object the writer is inside.
    virtual void Write(JsonWriter& writer) const = 0;
    // Draws the editor widgets inside the caller's ImGui window; true when a value changed this frame. The
    // registry (may be null) supplies the names some widgets offer, such as sprite sources or levels.
    virtual bool Inspect(SystemRegistry* registry) = 0;
    // Reads whichever keys the reader's current object holds; may run on a component already live in the world.
    virtual void Read(JsonReader& reader, SystemRegistry* registry) = 0;
    virtual const char* TypeName() const = 0;
    // A new heap copy with every field copied, caches included.
    virtual std::unique_ptr<Component> Clone() const = 0;
    // Compares the fields that matter with a component of the same class; the base answer is "not equal".
    virtual bool Equals(const Component& other) const;

    bool NotEquals(const Component& other) const { return !Equals(other); }
    virtual int TypeIndex() const = 0;
};

// Supplies the slots that only depend on the concrete class and its type index, and the four that come from the
// class's field description: Derived declares `static const FieldTable<Derived>& Fields();` (see ecs/Fields.h) and
// overrides a slot only for rules the description cannot state.
template <typename Derived, ComponentType kind> class ComponentOf : public Component
{
public:
    static constexpr ComponentType type = kind;
    static constexpr int typeIndex = static_cast<int>(kind);

    const char* TypeName() const override { return ComponentTypeName(typeIndex); }
    std::unique_ptr<Component> Clone() const override
    {
        return std::make_unique<Derived>(static_cast<const Derived&>(*this));
    }
    int TypeIndex() const override { return typeIndex; }

    void Write(JsonWriter& writer) const override { Derived::Fields().Write(Self(), writer); }
    bool Inspect(SystemRegistry* registry) override { return Derived::Fields().Inspect(Self(), registry); }
    void Read(JsonReader& reader, SystemRegistry* registry) override
    {
        Derived::Fields().Read(Self(), reader, registry);
    }
    // Another class is never equal.
    bool Equals(const Component& other) const override
    {
        const auto* same = dynamic_cast<const Derived*>(&other);
        return same && Derived::Fields().Equals(Self(), *same);
    }

private:
    Derived& Self() { return static_cast<Derived&>(*this); }
    const Derived& Self() const { return static_cast<const Derived&>(*this); }
};

} // namespace kesto
