#include "engine/Application.h"

#include "animation/SpineSourceManager.h"
#include "ecs/ArchetypeFactory.h"
#include "ecs/ECS.h"
#include "engine/Random.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "graphics/Camera.h"
#include "graphics/MeshManager.h"
#include "graphics/ShaderManager.h"
#include "graphics/SpriteSourceManager.h"
#include "graphics/WindowHandler.h"
#include "input/ControllerInputManager.h"
#include "input/MasterInputManager.h"
#include "input/PCInputManager.h"
#include "levels/GameStateManager.h"
#include "levels/LevelManager.h"
#include "particles/ParticleTemplateManager.h"
#include "ui/CreditSystem.h"
#include "ui/CutsceneSystem.h"
#include "ui/TimerSystem.h"

#include <memory>

namespace kesto
{

void RegisterEngineSystems(SystemRegistry& registry)
{
    registry.Register(std::make_unique<Random>());
    registry.Register(std::make_unique<Trace>());
    registry.Register(std::make_unique<WindowHandler>());
    registry.Register(std::make_unique<MeshManager>());
    registry.Register(std::make_unique<Camera>());
    registry.Register(std::make_unique<ShaderManager>());
    registry.Register(std::make_unique<ECS>());
    registry.Register(std::make_unique<GameStateManager>());
    registry.Register(std::make_unique<SpineSourceManager>());
    registry.Register(std::make_unique<SpriteSourceManager>());
    registry.Register(std::make_unique<ParticleTemplateManager>());
    registry.Register(std::make_unique<ControllerInputManager>());
    registry.Register(std::make_unique<ArchetypeFactory>());
    registry.Register(std::make_unique<LevelManager>());
    registry.Register(std::make_unique<MasterInputManager>());
    registry.Register(std::make_unique<CreditSystem>());
    registry.Register(std::make_unique<CutsceneSystem>());
    registry.Register(std::make_unique<TimerSystem>());
    registry.Register(std::make_unique<PCInputManager>());
}

int RunApplication()
{
    SystemRegistry registry;
    RegisterEngineSystems(registry);
    registry.InitAll();
    registry.Run();
    registry.DestroyAll();
    return 0;
}

} // namespace kesto
