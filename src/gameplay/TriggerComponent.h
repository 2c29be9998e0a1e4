#pragma once

#include "ecs/Component.h"
#include "ecs/Entity.h"
#include "gameplay/TriggerFunction.h"

#include <optional>
#include <vector>

namespace kesto
{

// A trigger volume's list of scripted functions.
class TriggerComponent : public ComponentOf<TriggerComponent, ComponentType::TriggerComponent>
{
public:
    // One member per function, named after its kind, in list order.
    void Write(JsonWriter& writer) const override;
    // Replaces the list with the functions of the current object's members, in document order.
    void Read(JsonReader& reader, SystemRegistry* registry) override;
    // Same number of slots and each pair equal; two empty slots are equal.
    bool Equals(const Component& other) const override;
    // "Function Count" resizes the list (new slots empty); a filled slot shows its kind, its inspector and
    // "Remove"; an empty slot shows a "Function" combo of the kinds that fills it.
    bool Inspect(SystemRegistry* registry) override;
    // The list is the whole description: nothing else is saved.
    static const FieldTable<TriggerComponent>& Fields();

    std::vector<std::optional<TriggerFunction>> functions; // a slot is empty while the editor fills it
    Entity otherEntity = Entity::None();                   // the player of the latest contact
    bool touching = false;                                 // a contact was reported this frame
    bool wasTouching = false;                              // a contact was reported the frame before
};

} // namespace kesto
