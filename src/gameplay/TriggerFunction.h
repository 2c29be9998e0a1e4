#pragma once

#include "ecs/Entity.h"
#include "ecs/EntityStore.h"
#include "ecs/Fields.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kesto
{

class JsonReader;
class JsonWriter;
class SystemRegistry;
class SystemStore;

// When a trigger function fires during a contact with the player; the number is the JSON form.
enum class TriggerEvent : int
{
    OnEnter = 0,   // only on the first frame of a contact
    OnCollide = 1, // every frame of a contact
};

// What a function works on when it runs: the trigger that owns it and the player of the trigger's latest contact.
struct TriggerContext
{
    SystemRegistry& registry;
    Entity trigger;
    Entity toucher;

    EntityStore& Store() const;
    SystemStore& Systems() const;
    // The trigger's or the toucher's component, or null.
    template <typename T> T* OnTrigger() const { return Store().GetComponent<T>(trigger); }
    template <typename T> T* OnToucher() const { return Store().GetComponent<T>(toucher); }
    // The entity's position; the origin when it has no transform.
    Vec2 PositionOf(const Entity& entity) const;
    // Creates an archetype's entity at `at` and files it under the level; Entity::None() for an empty or unknown
    // name (the factory reports unknown names).
    Entity SpawnAt(const std::string& archetype, Vec2 at) const;
};

// One scripted function of a trigger volume: when it fires (the shared fields) and what it does (its kind). Each of
// the eighteen kinds is a class of its own; a function is stored in JSON as a member named after its kind, so one
// trigger may hold several functions of the same kind.
class TriggerFunction
{
public:
    virtual ~TriggerFunction() = default;

    // Performs the effect. A kind that needs a component the trigger or the toucher lacks does nothing and says so
    // once through Trace.
    virtual void Execute(const TriggerContext& context) = 0;
    // The shared keys ("event", "delay", "dashRequired", "happensOnce"), then the kind's own.
    virtual void Write(JsonWriter& writer) const = 0;
    // Reads whichever shared and kind keys the reader's current object holds; others keep their values. A choice
    // number outside its list is reported through the registry's Trace (may be null) and the default kept.
    virtual void Read(JsonReader& reader, SystemRegistry* registry) = 0;
    // "Event", "Delay", "Dash Required" and on its line "Happens Once", then the kind's widgets; true when something
    // changed. The registry (may be null) supplies the names some combos offer.
    virtual bool Inspect(SystemRegistry* registry) = 0;
    // The kind's name in the editor and as the JSON member name.
    virtual std::string_view EditorName() const = 0;
    // Same kind, delay, dashRequired, happensOnce and kind fields; the event is not compared.
    virtual bool Equals(const TriggerFunction& other) const = 0;
    // A new function of the same kind with the same values.
    virtual std::unique_ptr<TriggerFunction> Clone() const = 0;

    // A function of the kind named `editorName` with that kind's defaults; null when no kind has that name.
    static std::unique_ptr<TriggerFunction> Create(std::string_view editorName);
    // The kinds' names in their fixed order: the editor's list and the names the reader knows.
    static const std::vector<std::string>& KindNames();

    // The shared keys, in written order.
    static const FieldTable<TriggerFunction>& Fields();

    TriggerEvent event = TriggerEvent::OnCollide;
    float delay = 0.0f;        // seconds from the contact to the execution
    float pendingTimer = 0.0f; // seconds left until execution; 0 when not scheduled
    bool dashRequired = false; // only a dashing player sets it off
    bool happensOnce = false;  // removed from the trigger after its first execution

protected:
    // The entity's component of type T; when it has none, null and, the first time only, a report that this
    // function cannot run without `what`.
    template <typename T> T* Require(const TriggerContext& context, const Entity& entity, std::string_view what)
    {
        T* component = context.Store().GetComponent<T>(entity);
        if (!component)
        {
            ReportMissing(context, entity, what);
        }
        return component;
    }
    void ReportMissing(const TriggerContext& context, const Entity& entity, std::string_view what);

private:
    bool reportedMissing = false;
};

} // namespace kesto
