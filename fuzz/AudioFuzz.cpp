// Any text as the GUID list, read by a fresh audio system the way the game reads it at start-up (loading the banks
// and looking up the events, buses and parameters it names).
#include "FuzzWorld.h"
#include "audio/Audio.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kesto::fuzz::FuzzWorld& world = kesto::fuzz::World();
    kesto::fuzz::FuzzWorld::Put("Assets/Audio/FMOD_Project/ZW_FMOD_Project10.04/ZW_FMOD_Project/Build/GUIDs.txt",
                                kesto::fuzz::Text(data, size));
    kesto::Audio audio("Assets/");
    audio.output = kesto::studio::OutputMode::NoOutput;
    audio.registry = &world.registry;
    audio.Init();
    return 0;
}
