#include "game/Game.h"

#include "animation/SpineSourceManager.h"
#include "ecs/ArchetypeFactory.h"
#include "ecs/ECS.h"
#include "engine/Random.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "game/GameSystems.h"
#include "game/Installation.h"
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
#include "ui/UserSettings.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

namespace kesto
{

namespace
{

std::unique_ptr<WindowHandler> MakeWindowHandler(const EngineDef& def)
{
    if (!def.window)
    {
        return std::make_unique<WindowHandler>();
    }
    return std::make_unique<WindowHandler>(*def.window, def.assetRoot);
}

std::unique_ptr<PCInputManager> MakeKeyboardMouseInput(const EngineDef& def)
{
    if (def.keyboardMouse)
    {
        return std::make_unique<PCInputManager>(*def.keyboardMouse);
    }
    return std::make_unique<PCInputManager>();
}

std::unique_ptr<ControllerInputManager> MakeControllerInput(const EngineDef& def)
{
    if (def.pad)
    {
        return std::make_unique<ControllerInputManager>(*def.pad);
    }
    return std::make_unique<ControllerInputManager>();
}

} // namespace

void RegisterEngineSystems(SystemRegistry& registry, const EngineDef& def)
{
    registry.Register(std::make_unique<Random>());
    registry.Register(std::make_unique<Trace>());
    registry.Register(MakeWindowHandler(def));
    registry.Register(std::make_unique<MeshManager>());
    registry.Register(std::make_unique<Camera>());
    registry.Register(std::make_unique<ShaderManager>(def.assetRoot));
    registry.Register(std::make_unique<ECS>(GameEcsDef(def)));
    registry.Register(std::make_unique<GameStateManager>());
    registry.Register(std::make_unique<SpineSourceManager>(def.assetRoot));
    registry.Register(std::make_unique<SpriteSourceManager>(def.assetRoot));
    registry.Register(std::make_unique<ParticleTemplateManager>(def.assetRoot));
    registry.Register(MakeControllerInput(def));
    registry.Register(std::make_unique<ArchetypeFactory>(def.assetRoot));
    registry.Register(std::make_unique<LevelManager>(def.assetRoot, def.firstLevel));
    registry.Register(std::make_unique<MasterInputManager>(def.assetRoot));
    registry.Register(std::make_unique<CreditSystem>());
    registry.Register(std::make_unique<CutsceneSystem>());
    registry.Register(std::make_unique<TimerSystem>());
    registry.Register(MakeKeyboardMouseInput(def));
    // Texture uploads follow the splash's logo fades while the splash level shows.
    registry.GetSystem<SpriteSourceManager>()->splashClock = [&registry]() -> std::optional<float>
    {
        if (registry.GetSystem<LevelManager>()->currentLevel != CutsceneSystem::splashLevel)
        {
            return std::nullopt;
        }
        return registry.GetSystem<CutsceneSystem>()->splashTime;
    };
}

int RunGame(const std::string& firstLevel)
{
    EngineDef def;
    std::error_code error;
    if (!std::filesystem::is_directory(def.assetRoot, error))
    {
        std::cerr << "kesto: " << MissingAssetsMessage({std::filesystem::absolute(def.assetRoot, error)}) << std::endl;
        return 1;
    }
    def.firstLevel = firstLevel;
    def.settingsFile = UserSettingsFile();
    // The window opens in the mode the player left it in; a bad file is reported once the engine runs.
    def.window->fullscreen = ReadUserSettings(def.settingsFile, nullptr).fullscreen;
    SystemRegistry registry;
    RegisterEngineSystems(registry, def);
    registry.InitAll();
    registry.Run();
    registry.DestroyAll();
    return 0;
}

} // namespace kesto
