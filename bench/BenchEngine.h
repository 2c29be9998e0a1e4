#pragma once

#include "ecs/ArchetypeFactory.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "game/Game.h"

#include <string>

namespace kesto::bench
{

// The game's engine without a window or content, quiet, and initialised: benchmarks measure the game's own
// systems in the game's order. A folder given for archetypes is loaded at Init.
inline void BuildHeadlessEngine(SystemRegistry& registry, const std::string& archetypeFolder = "")
{
    EngineDef def;
    def.assetRoot.clear();
    def.window.reset();
    def.audioOutput = studio::OutputMode::NoOutput;
    RegisterEngineSystems(registry, def);
    registry.GetSystem<Trace>()->echo = nullptr;
    registry.GetSystem<ArchetypeFactory>()->folder = archetypeFolder;
    registry.InitAll();
}

} // namespace kesto::bench
