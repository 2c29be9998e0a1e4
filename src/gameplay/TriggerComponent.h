#pragma once

#include "ecs/Component.h"
#include "ecs/Entity.h"
#include "gameplay/TriggerFunction.h"

#include <memory>
#include <vector>

namespace kesto
{

// A trigger volume's list of scripted functions and its contact bookkeeping.
class TriggerComponent : public ComponentOf<TriggerComponent, ComponentType::TriggerComponent>
{
public:
    TriggerComponent() = default;
    // Copies clone every function.
    TriggerComponent(const TriggerComponent& other);
    TriggerComponent& operator=(const TriggerComponent& other);
    TriggerComponent(TriggerComponent&&) = default;
    TriggerComponent& operator=(TriggerComponent&&) = default;
    ~TriggerComponent() override = default;

    // One member per function, named after its kind, in list order; empty slots are not written.
    void Write(JsonWriter& writer) const override;
    // Replaces the list with the functions of the current object's members, in document order; a member that names
    // no kind is reported and skipped.
    void Read(JsonReader& reader, SystemRegistry* registry) override;
    // Same number of slots and each pair equal; two empty slots are equal.
    bool Equals(const Component& other) const override;
    // "Function Count" resizes the list (new slots empty); a filled slot shows its kind, its inspector, buttons that
    // move it up or down and "Remove"; an empty slot shows a "Function" combo of the kinds that fills it.
    bool Inspect(SystemRegistry* registry) override;
    // The list is the whole description: nothing else is saved.
    static const FieldTable<TriggerComponent>& Fields();

    std::vector<std::unique_ptr<TriggerFunction>> functions; // null while the editor has not filled a slot
    Entity otherEntity = Entity::None();                     // the player of the latest contact
    bool touching = false;                                   // a contact was reported this frame
    bool wasTouching = false;                                // a contact was reported the frame before
};

} // namespace kesto
