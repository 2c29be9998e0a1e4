#include "gameplay/StateMachine.h"

namespace kesto
{

void StateMachine::SetState(int state)
{
    if (state == activeState)
    {
        reenter = true;
        return;
    }
    reenter = false;
    requestedState = state;
}

const StateDefinition* StateMachine::Find(int state) const
{
    if (!states || state < 0 || state >= static_cast<int>(states->size()))
    {
        return nullptr;
    }
    return &(*states)[static_cast<std::size_t>(state)];
}

void StateMachine::Update(ESystem& system, const Entity& entity, float dt)
{
    if (reenter)
    {
        reenter = false;
        if (const StateDefinition* active = Find(activeState))
        {
            if (active->exit)
            {
                active->exit(system, entity);
            }
            if (active->enter)
            {
                active->enter(system, entity);
            }
        }
    }
    else if (requestedState != activeState)
    {
        if (const StateDefinition* leaving = Find(activeState))
        {
            if (leaving->exit)
            {
                leaving->exit(system, entity);
            }
            if (leaving->exitToOther)
            {
                leaving->exitToOther(system, entity);
            }
        }
        if (const StateDefinition* entering = Find(requestedState))
        {
            if (entering->enterFromOther)
            {
                entering->enterFromOther(system, entity);
            }
            if (entering->enter)
            {
                entering->enter(system, entity);
            }
        }
        activeState = requestedState;
    }
    if (const StateDefinition* active = Find(activeState))
    {
        if (active->update)
        {
            active->update(system, entity, dt);
        }
    }
}

} // namespace kesto
