#pragma once

#include "ecs/EntityStore.h"
#include "ecs/SystemStore.h"
#include "engine/ISystem.h"

#include <functional>

namespace kesto
{

class ECS;

// What a game plugs into the generic entity world: its component classes, its component systems and the frame
// work that needs other subsystems. Any field may be left empty.
struct EcsDef
{
    ComponentFactory componentFactory;            // the class of every type index the game uses
    std::function<void(SystemStore&)> addSystems; // adds the component systems, in update order
    std::function<void(ECS&)> beginUpdate;        // runs at the start of every update, before any system
    // Runs before each pass over the systems; `repeatedSubstep` is true for the second and later substeps of a
    // frame, which must not see the frame's input presses and releases again.
    std::function<void(ECS&, bool repeatedSubstep)> beginPass;
    std::function<void(ECS&)> sortRenderList; // puts the drawing system's entity list into draw order
};

// The game world: the entity store and the component systems that run over it.
class ECS : public ISystem
{
public:
    // A world without component classes or systems.
    ECS();
    // Creates the def's component systems at once, so their settings can be changed before Init.
    explicit ECS(EcsDef def);
    ~ECS() override;

    // Hands the registry to both stores and initialises the component systems in update order.
    void Init() override;
    // The def's frame start (the debug-draw toggle), then the systems enabled for the current mode.
    void Update(float dt) override;

    // Switches editor mode and debug drawing together.
    void SetEditorMode(bool on);
    // Asks the game's drawing system to put its entity list into draw order.
    void SortRenderList();

    // Declared in this order so every entity is destroyed before the systems that ran over them.
    SystemStore systemStore;
    EntityStore entityStore;

private:
    EcsDef def;
};

} // namespace kesto
