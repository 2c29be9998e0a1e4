// Any text as one of the asset tables in Assets/Data/Files/, read by a fresh copy of the system that owns it, the
// way the game reads it at start-up. Which table is chosen at build time (KESTO_FUZZ_TABLE).
#include "FuzzWorld.h"
#include "ecs/JsonReader.h"
#include "graphics/ShaderManager.h"
#include "graphics/SpriteSourceManager.h"
#include "input/KeyBindingFile.h"
#include "input/MasterInputManager.h"
#include "particles/ParticleTemplateManager.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace
{

// Read as at start-up; the world's registry answers the system's lookups (Trace, shaders, art).
template <typename System> void ReadTable(const char* file, std::string_view text)
{
    kesto::fuzz::FuzzWorld& world = kesto::fuzz::World();
    kesto::fuzz::FuzzWorld::Put(std::string("Assets/Data/Files/") + file, text);
    System system("Assets/");
    system.registry = &world.registry;
    system.Init();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = kesto::fuzz::Text(data, size);
#if KESTO_FUZZ_TABLE == 1
    ReadTable<kesto::SpriteSourceManager>("Art.json", text);
#elif KESTO_FUZZ_TABLE == 2
    ReadTable<kesto::ShaderManager>("Shaders.json", text);
#elif KESTO_FUZZ_TABLE == 3
    ReadTable<kesto::ParticleTemplateManager>("Particles.json", text);
#else
    kesto::fuzz::FuzzWorld& world = kesto::fuzz::World();
    kesto::JsonReader reader;
    kesto::Trace* trace = world.registry.GetSystem<kesto::Trace>();
    reader.Parse(std::string(text), "KeyBindings.json", trace);
    kesto::MasterInputManager bindings;
    kesto::ReadKeyBindings(reader, bindings, trace);
#endif
    return 0;
}
