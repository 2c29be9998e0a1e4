// Frame-time harness: mean and 95th-percentile frame time of the real renderer for scenes of lit sprites, for
// the default level and for the intro cinematic played full-screen. Needs a display (run it under xvfb-run) and the
// game's Assets/ in the working directory. The test command runs it with one frame per scene as a smoke test.
//
//   xvfb-run -a -s "-screen 0 1280x720x24" build-rel/bench/kesto_frame_bench [frames]
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/Random.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "game/Game.h"
#include "graphics/Camera.h"
#include "graphics/LightSource.h"
#include "graphics/MeshManager.h"
#include "graphics/RendererSystem.h"
#include "graphics/ShaderManager.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSourceManager.h"
#include "graphics/Video.h"
#include "levels/LevelManager.h"
#include "support/GraphicsDrivers.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

namespace
{

using namespace kesto;

// Sprite sides in world units: 45 pixels at 720 lines with the default zoom of 1600, and 4 pixels to show the
// cost of a sprite apart from the pixels it fills.
constexpr float spriteSide = 100.0f;
constexpr float smallSpriteSide = 10.0f;

struct Figures
{
    double meanMs = 0.0;
    double p95Ms = 0.0;
    double cpuMs = 0.0; // processor time of every thread of the process (the software rasteriser's included)
};

double ProcessCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

Figures Measure(SystemRegistry& registry, int frames)
{
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(frames));
    const double cpuStart = ProcessCpuMs();
    for (int i = 0; i < frames; ++i)
    {
        const auto start = std::chrono::steady_clock::now();
        registry.RunFrame();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    const double cpu = ProcessCpuMs() - cpuStart;
    std::sort(times.begin(), times.end());
    Figures figures;
    figures.cpuMs = cpu / static_cast<double>(frames);
    figures.meanMs = std::accumulate(times.begin(), times.end(), 0.0) / static_cast<double>(times.size());
    figures.p95Ms = times[static_cast<std::size_t>(0.95 * static_cast<double>(times.size() - 1))];
    return figures;
}

// Frames before measuring, so first-use costs (shader variants, buffer growth) stay out of the figures.
void WarmUp(SystemRegistry& registry, int frames) { Measure(registry, std::min(10, frames)); }

void Print(const char* scene, const Figures& figures)
{
    std::printf("%-24s mean %7.2f ms   p95 %7.2f ms   cpu %7.2f ms/frame   (%.0f fps)\n", scene, figures.meanMs,
                figures.p95Ms, figures.cpuMs, 1000.0 / figures.meanMs);
}

// Scatters lit sprites (and four lights) over the view, measures, then removes them again.
Figures LitSprites(SystemRegistry& registry, SpriteSource& source, int count, float side, int frames)
{
    ECS& ecs = *registry.GetSystem<ECS>();
    Random& random = *registry.GetSystem<Random>();
    random.Seed(7);
    Camera& camera = *registry.GetSystem<Camera>();
    const float halfWidth = camera.GetZoom() * camera.GetAspect() * 0.5f;
    const float halfHeight = camera.GetZoom() * 0.5f;
    Mesh& mesh = registry.GetSystem<MeshManager>()->Get(1.0f, 1.0f);
    const ShaderManager& shaders = *registry.GetSystem<ShaderManager>();
    std::vector<Entity> created;
    for (int i = 0; i < count; ++i)
    {
        const Entity entity("BenchSprite");
        auto* transform = ecs.entityStore.AddComponent<Transform>(entity);
        transform->SetTranslation(
            {random.RandomFloat(-halfWidth, halfWidth), random.RandomFloat(-halfHeight, halfHeight)});
        transform->SetScale({side, side});
        auto* sprite = ecs.entityStore.AddComponent<Sprite>(entity);
        sprite->spriteSource = &source;
        sprite->mesh = &mesh;
        sprite->order = i % 7;
        sprite->ChooseShader(shaders);
        created.push_back(entity);
    }
    for (int i = 0; i < 4; ++i)
    {
        const Entity entity("BenchLight");
        ecs.entityStore.AddComponent<Transform>(entity)->SetTranslation(
            {-halfWidth + halfWidth * 0.5f * static_cast<float>(2 * i + 1), 0.0f});
        ecs.entityStore.AddComponent<LightSource>(entity)->radius = 1500.0f;
        created.push_back(entity);
    }
    ecs.SortRenderList();
    WarmUp(registry, frames);
    const Figures figures = Measure(registry, frames);
    for (const Entity& entity : created)
    {
        ecs.entityStore.DestroyEntity(entity);
    }
    return figures;
}

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
        registry.StepFrame(registry.lastTime + 1.0f / 60.0f);
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
        registry.StepFrame(registry.lastTime + 1.0f / 60.0f);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        (store.GetComponent<Video>(*entity)->framesDecoded != before ? decoding : holding).push_back(ms);
    }
    const double cpu = (ProcessCpuMs() - cpuStart) / static_cast<double>(decoding.size() + holding.size());
    for (auto* times : {&decoding, &holding})
    {
        std::sort(times->begin(), times->end());
        if (times->empty())
        {
            continue;
        }
        Figures figures;
        figures.meanMs = std::accumulate(times->begin(), times->end(), 0.0) / static_cast<double>(times->size());
        figures.p95Ms = (*times)[static_cast<std::size_t>(0.95 * static_cast<double>(times->size() - 1))];
        figures.cpuMs = cpu;
        Print(times == &decoding ? "video, decoding frames" : "video, holding frames", figures);
    }
}

// One engine for every scene: a display server may refuse connections for a moment after its last client leaves.
void Run(int frames)
{
    SystemRegistry registry;
    // The game's engine; sound is mixed and discarded, so no device is opened.
    EngineDef def;
    def.audioOutput = studio::OutputMode::Silent;
    RegisterEngineSystems(registry, def);
    registry.GetSystem<Trace>()->echo = nullptr;
    registry.InitAll();
    test::PinGraphicsDrivers();
    glfwSwapInterval(0);
    // The default level loads in the first frame; every texture is uploaded before measuring.
    SpriteSourceManager& sources = *registry.GetSystem<SpriteSourceManager>();
    while (!sources.allLoaded)
    {
        registry.RunFrame();
    }
    WarmUp(registry, frames);
    Print("default level", Measure(registry, frames));

    registry.GetSystem<LevelManager>()->UnloadLevel();
    registry.GetSystem<Camera>()->Init();
    SpriteSource tile;
    tile.name = "BenchTile";
    tile.rows = 1;
    tile.columns = 1;
    tile.texture = sources.LoadTexture(KESTO_BENCH_DATA "/graphics/Tile.png");
    SpriteSource& source = sources.sources.emplace(tile.name, std::move(tile)).first->second;
    for (int count : {0, 500, 1000, 2000, 4000})
    {
        Print((std::to_string(count) + " lit sprites").c_str(),
              LitSprites(registry, source, count, spriteSide, frames));
    }
    for (int count : {500, 4000})
    {
        Print((std::to_string(count) + " small lit sprites").c_str(),
              LitSprites(registry, source, count, smallSpriteSide, frames));
    }
    VideoScene(registry, frames);
}

} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 120;
    try
    {
        Run(frames);
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "kesto_frame_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
