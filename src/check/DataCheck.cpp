#include "check/DataCheck.h"

#include "ecs/ArchetypeFactory.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "game/Game.h"
#include "graphics/ScreenTransition.h"
#include "levels/LevelManager.h"

#include <sstream>
#include <unordered_set>

namespace kesto
{

std::vector<std::string> CheckAssets(const std::string& assetRoot)
{
    EngineDef def;
    def.assetRoot = assetRoot.empty() || assetRoot.back() == '/' ? assetRoot : assetRoot + "/";
    def.window.reset();
    def.audioOutput = studio::OutputMode::NoOutput;
    std::ostringstream text;
    {
        SystemRegistry registry;
        RegisterEngineSystems(registry, def);
        Trace& trace = *registry.GetSystem<Trace>();
        trace.echo = &text;
        trace.checkingData = true;
        registry.InitAll();
        // Archetypes name each other, so names are checked once all are known: every archetype is read again.
        trace.checkingNames = true;
        ArchetypeFactory& factory = *registry.GetSystem<ArchetypeFactory>();
        const std::vector<std::string> archetypes = factory.archetypeNames;
        for (const std::string& name : archetypes)
        {
            factory.LoadFile(name + ".json");
        }
        LevelManager& levels = *registry.GetSystem<LevelManager>();
        // The level default.txt names first, whether or not it is a level file.
        levels.Update(0.0f);
        // Each level is loaded as the game loads it: settings, entities from archetypes, then its sublevels.
        for (const std::string& name : levels.ListLevels(true))
        {
            levels.ChangeLevel(0.0f, 0.0f, name, 0.0f, ScreenTransition::Fade);
            levels.Update(0.0f);
        }
        registry.DestroyAll();
    }
    // A sublevel shared by many levels, or an archetype used everywhere, reports the same line each time it loads.
    std::vector<std::string> lines;
    std::unordered_set<std::string> seen;
    std::istringstream stream(text.str());
    for (std::string line; std::getline(stream, line);)
    {
        if (seen.insert(line).second)
        {
            lines.push_back(line);
        }
    }
    return lines;
}

} // namespace kesto
