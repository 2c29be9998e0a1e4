#include "game/EditorApp.h"

#include "ecs/ECS.h"
#include "editor/EditorInterface.h"
#include "editor/EditorSession.h"
#include "engine/SystemRegistry.h"
#include "game/Game.h"
#include "graphics/RendererSystem.h"
#include "graphics/WindowHandler.h"

namespace kesto
{

int RunEditor(const std::string& firstLevel)
{
    EngineDef def;
    def.firstLevel = firstLevel;
    SystemRegistry registry;
    RegisterEngineSystems(registry, def);
    // Set before the level manager initialises, which then keeps restoring it at every level change.
    registry.GetSystem<ECS>()->SetEditorMode(true);
    registry.InitAll();
    {
        EditorSession session(registry);
        EditorInterface windows(registry.GetSystem<WindowHandler>()->window, session);
        RendererSystem& renderer = *registry.GetSystem<ECS>()->systemStore.GetSystem<RendererSystem>();
        renderer.beforePresent = [&windows]() { windows.Frame(); };
        registry.Run();
        renderer.beforePresent = nullptr;
    }
    registry.DestroyAll();
    return 0;
}

} // namespace kesto
