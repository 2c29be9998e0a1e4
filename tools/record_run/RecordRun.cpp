// Plays a level headless with a script of held keys, records the run and writes it as a replay once the level's
// exit is reached. Used to make the committed replays that prove each level can still be finished:
//
//   kesto_record_run --level NAME --script FILE --out FILE [--assets DIR] [--fps N] [--seed N] [--watch]
//
// The random sources are seeded from --seed (1 when not given), so a script plays the same every time. --watch prints
// where the player is every quarter second, which is how a script is tuned until it gets through.
#include "ScriptedInput.h"
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "game/Game.h"
#include "game/LevelExits.h"
#include "gameplay/BehaviorPlayer.h"
#include "input/ReplayRecorder.h"
#include "levels/LevelManager.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>

namespace
{

using namespace kesto;

struct Options
{
    std::string level;
    std::string script;
    std::string out;
    std::string assets = std::string(defaultAssetRoot);
    double framesPerSecond = 60.0;
    std::uint32_t seed = 1;
    bool watch = false;
};

// A number that is the whole of `text`; anything else is refused (and leaves `value` alone).
template <typename Number> bool ReadWhole(std::string_view text, Number& value)
{
    Number read{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), read);
    if (error != std::errc() || end != text.data() + text.size())
    {
        return false;
    }
    value = read;
    return true;
}

bool ReadOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string_view argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--watch")
        {
            options.watch = true;
        }
        else if (argument == "--level" && hasValue)
        {
            options.level = argv[++i];
        }
        else if (argument == "--script" && hasValue)
        {
            options.script = argv[++i];
        }
        else if (argument == "--out" && hasValue)
        {
            options.out = argv[++i];
        }
        else if (argument == "--assets" && hasValue)
        {
            options.assets = std::string(argv[++i]) + "/";
        }
        else if (argument == "--seed" && hasValue)
        {
            if (!ReadWhole(argv[++i], options.seed))
            {
                return false;
            }
        }
        else if (argument == "--fps" && hasValue)
        {
            if (!ReadWhole(argv[++i], options.framesPerSecond))
            {
                return false;
            }
        }
        else
        {
            return false;
        }
    }
    return !options.level.empty() && !options.script.empty() && !options.out.empty() &&
           options.framesPerSecond >= 10.0 && options.framesPerSecond <= 1000.0;
}

struct PlayerView
{
    Vec2 position;
    int state = -1;
};

PlayerView Player(const SystemRegistry& registry)
{
    const EntityStore& store = registry.GetSystem<ECS>()->entityStore;
    for (const Entity& entity : store.GetEntities({ComponentType::BehaviorPlayer}))
    {
        return {store.GetComponent<Transform>(entity)->GetTranslation(),
                store.GetComponent<BehaviorPlayer>(entity)->stateMachine.activeState};
    }
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ReadOptions(argc, argv, options))
    {
        std::cerr << "usage: kesto_record_run --level NAME --script FILE --out FILE [--assets DIR] [--fps N] "
                     "[--seed N] [--watch]\n";
        return 2;
    }
    std::ifstream scriptFile(options.script);
    std::string error;
    const auto script = kesto::tools::ReadInputScript(scriptFile, error);
    if (!scriptFile.is_open() || !script)
    {
        std::cerr << options.script << ": " << (scriptFile.is_open() ? error : "cannot open the file") << "\n";
        return 2;
    }

    kesto::tools::ScriptedKeyboard keyboard;
    kesto::tools::NoPad pad;
    SystemRegistry registry;
    ReplayRecorder recorder(registry, "");
    // The first seed for Random, the next for rand().
    recorder.seedSource = [next = options.seed]() mutable { return next++; };
    EngineDef def = HeadlessGameDef(options.assets, keyboard, pad);
    def.firstLevel = options.level;
    def.inputTap = &recorder;
    RegisterEngineSystems(registry, def);
    registry.InitAll();
    double now = 1.0;
    registry.StepFrame(now); // loads the level
    if (registry.GetSystem<LevelManager>()->currentLevel != options.level || !recorder.IsRecording())
    {
        std::cerr << "the level \"" << options.level << "\" did not load\n";
        return 1;
    }
    const std::vector<std::string> exits = LevelExits(registry);
    bool reached = false;
    int frame = 0;
    for (const auto& row : *script)
    {
        keyboard.Hold(row.keys);
        const int frames = static_cast<int>(std::lround(row.seconds * options.framesPerSecond));
        for (int i = 0; i < frames && !reached; ++i)
        {
            registry.StepFrame(now += 1.0 / options.framesPerSecond);
            ++frame;
            reached = IsLeavingBy(registry, exits);
            if (options.watch && frame % static_cast<int>(options.framesPerSecond / 4.0) == 0)
            {
                const PlayerView player = Player(registry);
                std::printf("%7.2f s  x %8.1f  y %8.1f  state %d\n", frame / options.framesPerSecond, player.position.x,
                            player.position.y, player.state);
            }
        }
    }
    const PlayerView player = Player(registry);
    if (!reached)
    {
        std::cerr << "no exit reached after " << frame << " frames; the player is at (" << player.position.x << ", "
                  << player.position.y << ") in state " << player.state << "\n";
        return 1;
    }
    if (!WriteReplayFile(options.out, recorder.Run(), error))
    {
        std::cerr << options.out << ": " << error << "\n";
        return 1;
    }
    std::cout << "reached \"" << registry.GetSystem<LevelManager>()->nextLevel << "\" after " << frame
              << " frames; wrote " << options.out << "\n";
    return 0;
}
