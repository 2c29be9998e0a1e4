// Frame-time harness: mean and 95th-percentile frame times of the real engine and renderer. Needs a display (run
// it under xvfb-run) and the game's Assets/ in the working directory.
//
//   xvfb-run -a -s "-screen 0 1280x720x24" build-rel/bench/kesto_frame_bench [frames] [scene...]
//
// Scenes (all but "soak" when none is named):
//   startup  launch to the first frame drawn, and to every texture drawn (always measured: it is the engine's start)
//   start=L  the engine starts in the level L rather than on the splash (whose logos hold the uploads back)
//   levels   every level in Assets/Data/Levels/, the camera touring its bounds; resident memory after each
//   level=L  the level L only (may be given more than once)
//   sprites  the LÖVE peer's scene (bench/peer/) with 500, 1000 and 2000 sprites, lit and unlit
//   small    4000 sprites of 4 x 4 pixels, lit: what a sprite costs apart from its pixels
//   search   the largest sprite counts of the peer's scene that hold 60 fps, lit and unlit
//   particles 20 emitters of 500 lit particles, and their update alone with its allocations counted
//   actors   500 flocking boids and 50 flying enemies, and the boid update alone for 500, 2000 and 8000 boids
//   video    the intro cinematic played full-screen
//   soak=S   the levels toured in turn for S seconds; resident memory every minute
// The test command runs it with one frame per scene as a smoke test.
#include "ActorScene.h"
#include "FrameTiming.h"
#include "LevelTour.h"
#include "ParticleScene.h"
#include "SpriteScene.h"
#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "game/Game.h"
#include "graphics/Camera.h"
#include "graphics/RendererSystem.h"
#include "graphics/SpriteSourceManager.h"
#include "graphics/Video.h"
#include "levels/LevelManager.h"
#include "support/GraphicsDrivers.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace
{

using namespace kesto;
using namespace kesto::bench;

// The developer level "Video Preview": the intro cinematic (1280 x 720 at 30 fps) over the whole view, in a game
// stepping exactly 1/60 s a frame, so every second frame decodes a picture and uploads it. Frames that decode are
// timed apart from those that hold the picture.
void VideoScene(SystemRegistry& registry, int frames)
{
    registry.GetSystem<LevelManager>()->ChangeLevel(0.0f, 0.0f, "Video Preview", 0.0f, ScreenTransition::Fade);
    EntityStore& store = registry.GetSystem<ECS>()->entityStore;
    EntityList& shown = registry.GetSystem<ECS>()->systemStore.GetEntityList<RendererSystem>();
    const auto videoEntity = [&]() -> std::optional<Entity>
    {
        for (const Entity& entity : shown)
        {
            if (store.GetComponent<Video>(entity))
            {
                return entity;
            }
        }
        return std::nullopt;
    };
    for (int i = 0; i < 10 && !videoEntity(); ++i)
    {
        registry.StepFrame(registry.lastTime + frameStep);
    }
    const std::optional<Entity> entity = videoEntity();
    if (!entity || !store.GetComponent<Video>(*entity)->IsOpen())
    {
        std::printf("video: the level \"Video Preview\" shows no playable video\n");
        return;
    }
    std::vector<double> decoding;
    std::vector<double> holding;
    const double cpuStart = ProcessCpuMs();
    for (int i = 0; i < frames && !store.GetComponent<Video>(*entity)->finished; ++i)
    {
        const int before = store.GetComponent<Video>(*entity)->framesDecoded;
        const auto start = std::chrono::steady_clock::now();
        registry.StepFrame(registry.lastTime + frameStep);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        (store.GetComponent<Video>(*entity)->framesDecoded != before ? decoding : holding).push_back(ms);
    }
    const double cpu = (ProcessCpuMs() - cpuStart) / static_cast<double>(decoding.size() + holding.size());
    for (auto* times : {&decoding, &holding})
    {
        if (times->empty())
        {
            continue;
        }
        Figures figures = Summarise(*times);
        figures.cpuMs = cpu;
        Print(times == &decoding ? "video, decoding frames" : "video, holding frames", figures);
    }
}

// The game's engine, as the game starts it (full screen on the display), timed from the process's launch to the
// first frame shown and to the first frame after every texture is uploaded. `firstLevel`: the level it starts in
// (empty: the splash, as the game does).
void StartEngine(SystemRegistry& registry, const std::string& firstLevel)
{
    const double launched = SecondsSinceLaunch();
    const auto start = std::chrono::steady_clock::now();
    const auto since = [&start]
    { return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count(); };
    // Sound is mixed and discarded, so no device is opened.
    EngineDef def;
    def.audioOutput = studio::OutputMode::Silent;
    def.firstLevel = firstLevel;
    RegisterEngineSystems(registry, def);
    registry.GetSystem<Trace>()->echo = nullptr;
    registry.InitAll();
    test::PinGraphicsDrivers();
    registry.RunFrame();
    const double firstFrame = since();
    const double firstFrameBusy = ThreadCpuMs();
    const SpriteSourceManager& sources = *registry.GetSystem<SpriteSourceManager>();
    while (!sources.allLoaded)
    {
        registry.RunFrame();
    }
    registry.RunFrame();
    const double allDrawn = since();
    std::printf("startup: first frame drawn %.0f ms after launch (%.0f ms in main, the main thread busy for %.0f ms of "
                "them); every texture drawn %.0f ms after launch; resident %.0f MB\n",
                launched * 1000.0 + firstFrame, firstFrame, firstFrameBusy, launched * 1000.0 + allDrawn,
                ResidentMegabytes());
    glfwSwapInterval(0);
}

void Levels(SystemRegistry& registry, int frames, const std::set<std::string>& only)
{
    for (const std::string& level : registry.GetSystem<LevelManager>()->ListLevels(true))
    {
        if (!only.empty() && !only.contains(level))
        {
            continue;
        }
        const Figures figures = TourLevel(registry, level, frames);
        Print("level " + level, figures);
        std::printf("%-28s resident %.0f MB\n", ("level " + level).c_str(), ResidentMegabytes());
    }
}

void Soak(SystemRegistry& registry, double seconds)
{
    const std::vector<std::string> levels = registry.GetSystem<LevelManager>()->ListLevels(true);
    const auto start = std::chrono::steady_clock::now();
    const auto elapsed = [&start]
    { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
    double nextReport = 0.0;
    std::optional<double> firstMinute;
    for (std::size_t lap = 0; elapsed() < seconds; ++lap)
    {
        TourLevel(registry, levels[lap % levels.size()], 600);
        if (elapsed() >= nextReport)
        {
            const double resident = ResidentMegabytes();
            if (!firstMinute && elapsed() >= 60.0)
            {
                firstMinute = resident;
            }
            std::printf("soak %5.0f s: resident %.1f MB (peak %.1f MB)\n", elapsed(), resident,
                        PeakResidentMegabytes());
            std::fflush(stdout);
            nextReport += 60.0;
        }
    }
    std::printf("soak: resident %.1f MB at the end, %+.1f MB since the first minute; peak %.1f MB\n",
                ResidentMegabytes(), ResidentMegabytes() - firstMinute.value_or(ResidentMegabytes()),
                PeakResidentMegabytes());
}

// Leaves the level and adds the peer scene's 32 x 32 sprite (tools/make_bench_art.py) to the sprite sources.
SpriteSource& EmptyStageWithOrb(SystemRegistry& registry)
{
    EmptyStage(registry);
    SpriteSourceManager& sources = *registry.GetSystem<SpriteSourceManager>();
    if (SpriteSource* known = sources.Find("BenchOrb"))
    {
        return *known;
    }
    SpriteSource orb;
    orb.name = "BenchOrb";
    orb.rows = 1;
    orb.columns = 1;
    orb.texture = sources.LoadTexture(KESTO_BENCH_DATA "/graphics/Orb.png");
    return sources.sources.emplace(orb.name, std::move(orb)).first->second;
}

void Sprites(SystemRegistry& registry, int frames)
{
    SpriteSource& orb = EmptyStageWithOrb(registry);
    for (const bool lit : {true, false})
    {
        SpriteScene scene(registry, orb, lit);
        Print(std::string("kesto ") + (lit ? "lit " : "unlit ") + "0 sprites", scene.Measure(0, frames));
        for (int count : {500, 1000, 2000})
        {
            Print(std::string("kesto ") + (lit ? "lit " : "unlit ") + std::to_string(count) + " sprites",
                  scene.Measure(count, frames));
        }
    }
}

void SmallSprites(SystemRegistry& registry, int frames)
{
    SpriteScene scene(registry, EmptyStageWithOrb(registry), true, 4.0f);
    Print("kesto lit 4000 small sprites", scene.Measure(4000, frames));
}

void Search(SystemRegistry& registry, int frames)
{
    SpriteSource& orb = EmptyStageWithOrb(registry);
    const bool trace = std::getenv("KESTO_PEER_TRACE") != nullptr;
    for (const bool lit : {true, false})
    {
        SpriteScene scene(registry, orb, lit);
        const SpriteScene::Largest largest = scene.LargestAt60(frames, trace);
        std::printf("kesto %s: %d sprites at 60 fps (%.2f ms per frame there, %.2f ms empty)\n", lit ? "lit" : "unlit",
                    largest.count, largest.there.meanMs, largest.empty.meanMs);
        std::fflush(stdout);
    }
}

// One engine for every scene: a display server may refuse connections for a moment after its last client leaves.
void Run(int frames, const std::set<std::string>& scenes, const std::set<std::string>& levels, double soakSeconds,
         const std::string& firstLevel)
{
    SystemRegistry registry;
    StartEngine(registry, firstLevel);
    const auto wanted = [&scenes](const char* name) { return scenes.empty() || scenes.contains(name); };
    if (wanted("levels"))
    {
        Levels(registry, frames, levels);
    }
    if (wanted("sprites"))
    {
        Sprites(registry, frames);
    }
    if (wanted("small"))
    {
        SmallSprites(registry, frames);
    }
    if (wanted("search"))
    {
        Search(registry, frames);
    }
    if (wanted("particles"))
    {
        ParticleScene(registry, frames);
    }
    if (wanted("actors"))
    {
        ActorScene(registry, frames);
    }
    if (wanted("video"))
    {
        VideoScene(registry, frames);
    }
    if (soakSeconds > 0.0)
    {
        Soak(registry, soakSeconds);
    }
}

} // namespace

int main(int argc, char** argv)
{
    int frames = 120;
    std::set<std::string> scenes;
    std::set<std::string> levels;
    double soakSeconds = 0.0;
    std::string firstLevel;
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (i == 1 && !arg.empty() && std::isdigit(static_cast<unsigned char>(arg[0])))
        {
            frames = std::max(1, std::atoi(arg.c_str()));
        }
        else if (arg.rfind("level=", 0) == 0)
        {
            levels.insert(arg.substr(6));
            scenes.insert("levels");
        }
        else if (arg.rfind("start=", 0) == 0)
        {
            firstLevel = arg.substr(6);
            scenes.insert("startup");
        }
        else if (arg.rfind("soak=", 0) == 0)
        {
            soakSeconds = std::atof(arg.c_str() + 5);
            scenes.insert("soak");
        }
        else
        {
            scenes.insert(arg);
        }
    }
    try
    {
        Run(frames, scenes, levels, soakSeconds, firstLevel);
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "kesto_frame_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
