#pragma once

#include "engine/ISystem.h"
#include "levels/GameStateTableEntry.h"

#include <array>
#include <memory>

namespace kesto
{

// Runs the game-state table: shuts down, unloads, loads and initialises states when a change is requested.
class GameStateManager : public ISystem
{
public:
    static constexpr int stateCount = 7;
    static constexpr int inGameState = 6;
    static constexpr int restartRequest = -2;

    ~GameStateManager() override;

    void Init() override;
    void Update(float dt) override;

    int currentState = -1;
    int previousState = -1;
    int nextState = inGameState; // a table index, or restartRequest; equal to currentState when nothing is pending

    std::array<std::unique_ptr<GameStateTableEntry>, stateCount> states;

private:
    GameStateTableEntry* State(int index) const;
};

} // namespace kesto
