#pragma once

#include "ecs/ComponentType.h"

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
    // Draws the editor widgets; true when a value changed this frame.
    virtual bool Inspect() = 0;
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

// Supplies the slots that only depend on the concrete class and its type index.
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
    // Components whose serialization and inspector come later keep these empty.
    void Write(JsonWriter&) const override {}
    bool Inspect() override { return false; }
    void Read(JsonReader&, SystemRegistry*) override {}
};

} // namespace kesto
