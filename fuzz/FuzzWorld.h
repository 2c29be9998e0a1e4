#pragma once

#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "game/Game.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace kesto::fuzz
{

// The game's engine built headless over a scratch copy of Assets/ whose files are links to the real ones, so a
// target can put its input where the game reads that kind of file and load it through the game's own path. The
// working folder becomes the scratch folder, since data names its files from there ("Assets/Art/...").
class FuzzWorld
{
public:
    FuzzWorld()
    {
        namespace fs = std::filesystem;
        const fs::path assets = fs::path(KESTO_ASSETS);
        scratch = fs::temp_directory_path() / ("kesto-fuzz-" + std::to_string(::getpid()));
        fs::remove_all(scratch);
        for (const auto& entry : fs::recursive_directory_iterator(assets))
        {
            const fs::path copy = scratch / "Assets" / fs::relative(entry.path(), assets);
            if (entry.is_directory())
            {
                fs::create_directories(copy);
            }
            else
            {
                fs::create_symlink(entry.path(), copy);
            }
        }
        fs::current_path(scratch);
        EngineDef def;
        def.window.reset();
        def.audioOutput = studio::OutputMode::NoOutput;
        RegisterEngineSystems(registry, def);
        registry.GetSystem<Trace>()->echo = nullptr;
        registry.InitAll();
    }
    ~FuzzWorld() { std::filesystem::remove_all(scratch); }
    FuzzWorld(const FuzzWorld&) = delete;
    FuzzWorld& operator=(const FuzzWorld&) = delete;

    // Replaces the file at `relative` (under the scratch folder, e.g. "Assets/Data/Levels/Fuzz.json") with the data;
    // the link is removed first so the real file is never written.
    static void Put(const std::string& relative, std::string_view data)
    {
        std::filesystem::remove(relative);
        std::ofstream(relative, std::ios::binary).write(data.data(), static_cast<std::streamsize>(data.size()));
    }

    SystemRegistry registry;

private:
    std::filesystem::path scratch;
};

// One world per process, built at the first input.
inline FuzzWorld& World()
{
    static FuzzWorld world;
    return world;
}

inline std::string_view Text(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace kesto::fuzz
