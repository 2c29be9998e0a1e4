#pragma once

#include "levels/GameStateTableEntry.h"

namespace kesto
{

// Developer test scenes kept in the table; the game never switches to them.
class IndigoDebug : public EmptyGameState
{
};
class JadeDebug : public EmptyGameState
{
};
class AmberDebug : public EmptyGameState
{
};
class OnyxDebug : public EmptyGameState
{
};
class TopazDebug : public EmptyGameState
{
};
class CobaltDebug : public EmptyGameState
{
};

// The state the whole game runs in: menus, cinematics and stages are levels, not states.
class InGame : public EmptyGameState
{
public:
    void Init() override;
};

} // namespace kesto
