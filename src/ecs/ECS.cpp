#include "ecs/ECS.h"

#include <utility>

namespace kesto
{

ECS::ECS() : ECS(EcsDef{}) {}

ECS::ECS(EcsDef worldDef) : def(std::move(worldDef))
{
    entityStore.systemStore = &systemStore;
    entityStore.componentFactory = def.componentFactory;
    systemStore.entityStore = &entityStore;
    if (def.beginPass)
    {
        systemStore.beginPass = [this](bool repeatedSubstep) { def.beginPass(*this, repeatedSubstep); };
    }
    if (def.addSystems)
    {
        def.addSystems(systemStore);
    }
}

ECS::~ECS() = default;

void ECS::Init()
{
    entityStore.registry = registry;
    systemStore.AttachRegistry(registry);
    systemStore.InitAll();
}

void ECS::Update(float dt)
{
    if (def.beginUpdate)
    {
        def.beginUpdate(*this);
    }
    systemStore.UpdateAll(dt);
}

void ECS::SetEditorMode(bool on)
{
    systemStore.editorMode = on;
    systemStore.debugDraw = on;
}

void ECS::SortRenderList()
{
    if (def.sortRenderList)
    {
        def.sortRenderList(*this);
    }
}

} // namespace kesto
