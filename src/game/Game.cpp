#include "game/Game.h"

#include "animation/SpineSourceManager.h"
#include "ecs/ArchetypeFactory.h"
#include "ecs/ECS.h"
#include "engine/Random.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "game/AssetSearch.h"
#include "game/GameSystems.h"
#include "game/Installation.h"
#include "graphics/Camera.h"
#include "graphics/MeshManager.h"
#include "graphics/ShaderManager.h"
#include "graphics/SpriteSourceManager.h"
#include "graphics/WindowHandler.h"
#include "input/ControllerInputManager.h"
#include "input/GamepadLayerPad.h"
#include "input/GlfwKeyboardMouse.h"
#include "input/InputTap.h"
#include "input/MasterInputManager.h"
#include "input/PCInputManager.h"
#include "input/Replay.h"
#include "input/ReplayPlayer.h"
#include "input/ReplayRecorder.h"
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
#include <string_view>
#include <utility>

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
    if (def.inputTap)
    {
        if (def.keyboardMouse)
        {
            return std::make_unique<PCInputManager>(def.inputTap->TapKeyboardMouse(*def.keyboardMouse));
        }
        auto live = std::make_unique<GlfwKeyboardMouse>();
        KeyboardMouseDevice& device = *live;
        return std::make_unique<PCInputManager>(def.inputTap->TapKeyboardMouse(device, std::move(live)));
    }
    if (def.keyboardMouse)
    {
        return std::make_unique<PCInputManager>(*def.keyboardMouse);
    }
    return std::make_unique<PCInputManager>();
}

std::unique_ptr<ControllerInputManager> MakeControllerInput(const SystemRegistry& registry, const EngineDef& def)
{
    if (def.inputTap)
    {
        if (def.pad)
        {
            return std::make_unique<ControllerInputManager>(def.inputTap->TapPad(*def.pad));
        }
        // Trace is registered by now, so the gamepad layer's failures reach the log.
        auto live = std::make_unique<GamepadLayerPad>([&registry](std::string_view message)
                                                      { TraceReport(&registry, "INPUT", "", message); });
        PadDevice& device = *live;
        return std::make_unique<ControllerInputManager>(def.inputTap->TapPad(device, std::move(live)));
    }
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
    // Without a window there are no textures to make; the art table is still read, as animations take their frames
    // from it (programs, likewise, are only built where there is a GL context).
    registry.GetSystem<SpriteSourceManager>()->readImages = def.window.has_value();
    registry.Register(std::make_unique<ParticleTemplateManager>(def.assetRoot));
    registry.Register(MakeControllerInput(registry, def));
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

EngineDef HeadlessGameDef(std::string assetRoot, KeyboardMouseDevice& keyboardMouse, PadDevice& pad)
{
    EngineDef def;
    def.assetRoot = std::move(assetRoot);
    def.window.reset();
    def.audioOutput = studio::OutputMode::NoOutput;
    def.keyboardMouse = &keyboardMouse;
    def.pad = &pad;
    return def;
}

int RunGame(const CommandLine& line)
{
    // The data files name their images, shaders and sounds under the content folder's name, so the game runs from
    // the folder that holds it, wherever it was installed. A replay named relative to where the player was stays
    // that file.
    std::error_code error;
    std::filesystem::path replayFile =
        line.replay.empty() ? std::filesystem::path() : std::filesystem::absolute(line.replay, error);
    if (replayFile.empty())
    {
        replayFile = line.replay;
    }
    const AssetSearch assets = SearchAssets(ExecutableFolder(), std::filesystem::current_path(error));
    if (assets.found.empty())
    {
        std::cerr << "kesto: " << MissingAssetsMessage(assets.searched) << std::endl;
        return 1;
    }
    std::filesystem::current_path(assets.found.parent_path(), error);

    EngineDef def;
    def.firstLevel = line.level;
    def.settingsFile = UserSettingsFile();
    // The window opens in the mode the player left it in; a bad file is reported once the engine runs.
    def.window->fullscreen = ReadUserSettings(def.settingsFile, nullptr).fullscreen;
    SystemRegistry registry;
    ReplayReadResult replay;
    if (!line.replay.empty())
    {
        replay = ReadReplayFile(replayFile.string());
        if (replay.replay)
        {
            def.firstLevel = replay.replay->start.level;
        }
    }
    std::unique_ptr<InputTap> tap;
    if (replay.replay)
    {
        tap = std::make_unique<ReplayPlayer>(registry, std::move(*replay.replay), replayFile.string());
    }
    else
    {
        tap = std::make_unique<ReplayRecorder>(registry, UserReplayFolder());
    }
    def.inputTap = tap.get();
    RegisterEngineSystems(registry, def);
    if (!replay.error.empty())
    {
        registry.GetSystem<Trace>()->Report("REPLAY", replayFile.string(), replay.error + "; the game starts as usual");
    }
    registry.InitAll();
    if (auto* player = dynamic_cast<ReplayPlayer*>(tap.get()))
    {
        player->UseFrameClock();
    }
    for (long long frame = 0; registry.running && (line.frames == 0 || frame < line.frames); ++frame)
    {
        registry.RunFrame();
    }
    registry.DestroyAll();
    return 0;
}

} // namespace kesto
