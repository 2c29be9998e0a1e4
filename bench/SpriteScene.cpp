#include "SpriteScene.h"

#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "graphics/Camera.h"
#include "graphics/LightSource.h"
#include "graphics/MeshManager.h"
#include "graphics/RendererSystem.h"
#include "graphics/ShaderManager.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSource.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kesto::bench
{

namespace
{

constexpr float width = 1280.0f;
constexpr float height = 720.0f;

// The peer's lights: ambient and four lights at the centres of the view's quarters.
constexpr Vec3 ambientLight{0.35f, 0.35f, 0.4f};
constexpr float lightRadius = 480.0f;
struct PeerLight
{
    Vec2 position;
    Vec3 color;
};
constexpr PeerLight peerLights[] = {
    {{320.0f, 180.0f}, {1.0f, 0.85f, 0.6f}},
    {{960.0f, 180.0f}, {0.6f, 0.8f, 1.0f}},
    {{320.0f, 540.0f}, {1.0f, 0.6f, 0.6f}},
    {{960.0f, 540.0f}, {0.7f, 1.0f, 0.7f}},
};

} // namespace

SpriteScene::SpriteScene(SystemRegistry& owner, SpriteSource& sprite, bool litScene, float sideInPixels)
    : registry(owner), source(sprite), lit(litScene), side(sideInPixels)
{
    // One world unit per pixel: the view is the window, origin at its lower left.
    Camera& camera = *registry.GetSystem<Camera>();
    camera.Init();
    camera.SetZoom(height);
    camera.SetPosition({width * 0.5f, height * 0.5f});
    RendererSystem& renderer = *registry.GetSystem<ECS>()->systemStore.GetSystem<RendererSystem>();
    renderer.ambient = ambientLight;
    renderer.ambientTimeLeft = 0.0f;
    renderer.clearColor = {0.0f, 0.0f, 0.0f};
    if (!lit)
    {
        return;
    }
    EntityStore& store = registry.GetSystem<ECS>()->entityStore;
    for (const PeerLight& peer : peerLights)
    {
        const Entity entity("BenchLight");
        store.AddComponent<Transform>(entity)->SetTranslation(peer.position);
        auto* light = store.AddComponent<LightSource>(entity);
        light->color = peer.color;
        light->radius = lightRadius;
        lights.push_back(entity);
    }
}

SpriteScene::~SpriteScene()
{
    Resize(0);
    for (const Entity& entity : lights)
    {
        registry.GetSystem<ECS>()->entityStore.DestroyEntity(entity);
    }
}

void SpriteScene::Resize(int count)
{
    EntityStore& store = registry.GetSystem<ECS>()->entityStore;
    while (static_cast<int>(movers.size()) > count)
    {
        store.DestroyEntity(movers.back().entity);
        movers.pop_back();
    }
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    Mesh& mesh = registry.GetSystem<MeshManager>()->Get(1.0f, 1.0f);
    const ShaderManager& shaders = *registry.GetSystem<ShaderManager>();
    while (static_cast<int>(movers.size()) < count)
    {
        Mover mover{Entity("BenchSprite")};
        mover.x = unit(random) * (width - side);
        mover.y = unit(random) * (height - side);
        mover.vx = unit(random) * 120.0f - 60.0f;
        mover.vy = unit(random) * 120.0f - 60.0f;
        store.AddComponent<Transform>(mover.entity)->SetScale({side, side});
        auto* sprite = store.AddComponent<Sprite>(mover.entity);
        sprite->spriteSource = &source;
        sprite->mesh = &mesh;
        sprite->emissive = !lit;
        sprite->ChooseShader(shaders);
        movers.push_back(mover);
    }
    registry.GetSystem<ECS>()->SortRenderList();
    active = count;
}

void SpriteScene::Move()
{
    EntityStore& store = registry.GetSystem<ECS>()->entityStore;
    for (Mover& m : movers)
    {
        m.x += m.vx * frameStep;
        m.y += m.vy * frameStep;
        if (m.x < 0.0f || m.x > width - side)
        {
            m.vx = -m.vx;
        }
        if (m.y < 0.0f || m.y > height - side)
        {
            m.vy = -m.vy;
        }
        store.GetComponent<Transform>(m.entity)->SetTranslation({m.x + side * 0.5f, m.y + side * 0.5f});
    }
}

Figures SpriteScene::Measure(int count, int frames)
{
    Resize(count);
    bench::Measure(registry, 10, [this](int) { Move(); });
    return bench::Measure(registry, frames, [this](int) { Move(); });
}

SpriteScene::Largest SpriteScene::LargestAt60(int frames, bool trace)
{
    Largest found;
    found.empty = Measure(0, frames);
    const double base = found.empty.meanMs;
    int count = 1000;
    for (int step = 0; step < 5; ++step)
    {
        const double t = Measure(count, frames).meanMs;
        if (trace)
        {
            std::printf("  %d sprites: %.2f ms\n", count, t);
        }
        const double next = count * (frameBudgetMs - base) / std::max(t - base, 1e-3);
        count = static_cast<int>(std::lround(std::max(count / 2.0, std::min(count * 2.0, next))));
    }
    found.count = count;
    found.there = Measure(count, frames);
    return found;
}

} // namespace kesto::bench
