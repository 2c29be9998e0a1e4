#pragma once

#include "ecs/Entity.h"

#include <functional>
#include <vector>

namespace kesto
{

class ESystem;

// One state of a state machine: five optional callbacks, each given the system that runs the machine and the entity.
struct StateDefinition
{
    std::function<void(ESystem&, const Entity&)> enterFromOther;
    std::function<void(ESystem&, const Entity&)> enter;
    std::function<void(ESystem&, const Entity&, float)> update;
    std::function<void(ESystem&, const Entity&)> exit;
    std::function<void(ESystem&, const Entity&)> exitToOther;
};

using StateTable = std::vector<StateDefinition>;

// Requested and active state over a table of states; changes take effect at the next Update.
class StateMachine
{
public:
    StateMachine() = default;
    explicit StateMachine(const StateTable* table) : states(table) {}

    // Requesting the active state again makes the next Update exit and re-enter it.
    void SetState(int state);
    // Performs a pending change or re-entry, then updates the active state.
    void Update(ESystem& system, const Entity& entity, float dt);

    int requestedState = 0;
    int activeState = -1; // -1 before the first update
    bool reenter = false;
    const StateTable* states = nullptr; // owned by the system that runs the machine; shared by every copy

private:
    const StateDefinition* Find(int state) const;
};

} // namespace kesto
