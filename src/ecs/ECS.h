#pragma once

#include "ecs/EntityStore.h"
#include "ecs/SystemStore.h"
#include "engine/ISystem.h"

namespace kesto
{

// The game world: the entity store and the component systems that run over it.
class ECS : public ISystem
{
public:
    ECS();
    ~ECS() override;

    // Creates the component systems in update order and initialises them.
    void Init() override;
    // Toggles debug drawing on an F1 press, then runs the systems enabled for the current mode.
    void Update(float dt) override;

    // Leaving editor mode also clears the editor-only state of the player and timer systems.
    void SetEditorMode(bool on);
    // Asks the renderer to put its entity list into draw order.
    void SortRenderList();

    // Declared in this order so every entity is destroyed before the systems that ran over them.
    SystemStore systemStore;
    EntityStore entityStore;
};

} // namespace kesto
