// Any text as a level file, loaded as the game loads a level (settings, entities from archetypes with their
// overrides, sublevels), then played for two frames.
#include "FuzzWorld.h"
#include "graphics/ScreenTransition.h"
#include "levels/LevelManager.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kesto::fuzz::FuzzWorld& world = kesto::fuzz::World();
    kesto::fuzz::FuzzWorld::Put("Assets/Data/Levels/Fuzz.json", kesto::fuzz::Text(data, size));
    kesto::LevelManager& levels = *world.registry.GetSystem<kesto::LevelManager>();
    levels.ChangeLevel(0.0f, 0.0f, "Fuzz", 0.0f, kesto::ScreenTransition::Fade);
    static double now = 0.0;
    for (int frame = 0; frame < 2; ++frame)
    {
        now += 1.0 / 60.0;
        world.registry.StepFrame(now);
    }
    return 0;
}
