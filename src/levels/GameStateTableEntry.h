#pragma once

namespace kesto
{

class SystemRegistry;

// One state of the game-state table.
class GameStateTableEntry
{
public:
    // When the state becomes current, before Init.
    virtual void Load() = 0;
    // After Load, and again on a restart.
    virtual void Init() = 0;
    virtual void Update(float dt) = 0;
    // When the state stops being current, and before a restart.
    virtual void Shutdown() = 0;
    // After Shutdown when another state becomes current.
    virtual void Unload() = 0;
    virtual ~GameStateTableEntry() = default;

    SystemRegistry* registry = nullptr;
};

// A state with nothing to do; the developer test scenes stay empty.
class EmptyGameState : public GameStateTableEntry
{
public:
    void Load() override {}
    void Init() override {}
    void Update(float) override {}
    void Shutdown() override {}
    void Unload() override {}
};

} // namespace kesto
