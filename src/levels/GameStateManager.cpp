#include "levels/GameStateManager.h"

#include "levels/GameStates.h"

namespace kesto
{

GameStateManager::~GameStateManager()
{
    // Every state gets its shutdown and unload at exit, whether it ever ran or not.
    for (auto& state : states)
    {
        if (state)
        {
            state->Shutdown();
            state->Unload();
            state.reset();
        }
    }
}

void GameStateManager::Init()
{
    states = {std::make_unique<IndigoDebug>(), std::make_unique<JadeDebug>(),  std::make_unique<AmberDebug>(),
              std::make_unique<OnyxDebug>(),   std::make_unique<TopazDebug>(), std::make_unique<CobaltDebug>(),
              std::make_unique<InGame>()};
    for (auto& state : states)
    {
        state->registry = registry;
    }
    currentState = -1;
    previousState = -1;
    nextState = inGameState;
}

GameStateTableEntry* GameStateManager::State(int index) const
{
    return index >= 0 && index < stateCount ? states[static_cast<std::size_t>(index)].get() : nullptr;
}

void GameStateManager::Update(float dt)
{
    if (currentState != nextState)
    {
        if (GameStateTableEntry* current = State(currentState))
        {
            current->Shutdown();
        }
        if (nextState == restartRequest)
        {
            nextState = currentState;
        }
        else
        {
            if (GameStateTableEntry* current = State(currentState))
            {
                current->Unload();
            }
            previousState = currentState;
            currentState = nextState;
            if (GameStateTableEntry* next = State(currentState))
            {
                next->Load();
            }
        }
        if (GameStateTableEntry* current = State(currentState))
        {
            current->Init();
        }
    }
    if (GameStateTableEntry* current = State(currentState))
    {
        current->Update(dt);
    }
}

} // namespace kesto
