#include "gl/GlWorld.h"

#include "ecs/ArchetypeFactory.h"
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/Random.h"
#include "engine/Trace.h"
#include "game/Game.h"
#include "graphics/Camera.h"
#include "graphics/LightSource.h"
#include "graphics/MeshManager.h"
#include "graphics/RendererSystem.h"
#include "graphics/ShaderManager.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSourceManager.h"
#include "graphics/WindowHandler.h"
#include "levels/LevelManager.h"
#include "particles/ParticleTemplateManager.h"
#include "support/GraphicsDrivers.h"

#include <GLFW/glfw3.h>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace kesto::test
{

namespace
{

// The environment gtest owns; the tests reach it through GlWorld::Get.
GlWorld* instance = nullptr;

} // namespace

void GlWorld::SetUp()
{
    owned = std::make_unique<SystemRegistry>();
    registry = owned.get();
    // The game's engine with a small window; shaders and key bindings are the game's own (run from the repository
    // root), art, particle templates and archetypes the test data's, and no level is loaded: every test builds its own
    // scene.
    pad.connected = false;
    EngineDef def;
    def.window = WindowDef{false, width, height};
    def.audioOutput = studio::OutputMode::NoOutput;
    def.pad = &pad;
    RegisterEngineSystems(*registry, def);
    registry->GetSystem<Trace>()->echo = nullptr;
    registry->GetSystem<SpriteSourceManager>()->folder = "tests/data/graphics/";
    registry->GetSystem<ParticleTemplateManager>()->folder = "tests/data/graphics/";
    registry->GetSystem<ArchetypeFactory>()->folder = "tests/data/archetypes";
    registry->GetSystem<LevelManager>()->folder.clear();
    try
    {
        registry->InitAll();
    }
    catch (const WindowError& error)
    {
        FAIL() << error.what();
    }
    PinGraphicsDrivers();
    instance = this;
}

void GlWorld::TearDown()
{
    instance = nullptr;
    owned.reset();
    registry = nullptr;
}

GlWorld* GlWorld::Get() { return instance; }

GlTest::GlTest()
    : store(registry.GetSystem<ECS>()->entityStore),
      renderer(*registry.GetSystem<ECS>()->systemStore.GetSystem<RendererSystem>()),
      camera(*registry.GetSystem<Camera>()), window(*registry.GetSystem<WindowHandler>()),
      sources(*registry.GetSystem<SpriteSourceManager>()), trace(*registry.GetSystem<Trace>())
{
}

void GlTest::SetUp()
{
    int w = 0;
    int h = 0;
    glfwGetFramebufferSize(window.window, &w, &h);
    if (window.fullscreen || w != GlWorld::width || h != GlWorld::height)
    {
        glfwSetWindowMonitor(window.window, nullptr, 100, 100, GlWorld::width, GlWorld::height, 0);
        window.fullscreen = false;
        glfwPollEvents();
        glfwGetFramebufferSize(window.window, &window.width, &window.height);
    }
    ASSERT_EQ(window.width, GlWorld::width);
    ASSERT_EQ(window.height, GlWorld::height);
    registry.GetSystem<Random>()->Seed(3);
    camera.Init();
    ECS& ecs = *registry.GetSystem<ECS>();
    ecs.systemStore.debugDraw = false;
    ecs.systemStore.editorMode = false;
    renderer.ambient = {1.0f, 1.0f, 1.0f};
    renderer.ambientTarget = {1.0f, 1.0f, 1.0f};
    renderer.ambientTimeLeft = 0.0f;
    renderer.clearColor = {0.0f, 0.0f, 0.0f};
    renderer.depthScaling = 2000.0f;
    renderer.transition = 0.0f;
    renderer.transitionDuration = 0.0f;
    renderer.fadingOut = false;
    renderer.transitionType = ScreenTransition::Fade;
    renderer.timeSlow = 0.0f;
    renderer.slowMotionOn = false;
    renderer.crtAmount = 0.0f;
    renderer.crtOn = false;
    sources.splashClock = nullptr;
    // Decoding runs on its own thread; frames are run until the last image is uploaded.
    while (!sources.allLoaded)
    {
        Frames(1);
    }
}

void GlTest::TearDown()
{
    for (const Entity& entity : created)
    {
        store.DestroyEntity(entity);
    }
}

void GlTest::Frames(int count, float dt)
{
    for (int i = 0; i < count; ++i)
    {
        glfwPollEvents();
        // The clock runs on across tests, which share the registry.
        registry.StepFrame(registry.lastTime + dt);
    }
}

Entity GlTest::AddSprite(const std::string& source, Vec2 position, float side, int order, float depth)
{
    const Entity entity(source);
    auto* transform = store.AddComponent<Transform>(entity);
    transform->SetTranslation(position);
    transform->SetScale({side, side});
    auto* sprite = store.AddComponent<Sprite>(entity);
    sprite->spriteSource = sources.Find(source);
    EXPECT_NE(sprite->spriteSource, nullptr) << source;
    if (sprite->spriteSource)
    {
        sprite->mesh = &registry.GetSystem<MeshManager>()->Get(1.0f / static_cast<float>(sprite->spriteSource->columns),
                                                               1.0f / static_cast<float>(sprite->spriteSource->rows));
    }
    sprite->order = order;
    sprite->depth = depth;
    sprite->ChooseShader(*registry.GetSystem<ShaderManager>());
    created.push_back(entity);
    registry.GetSystem<ECS>()->SortRenderList();
    return entity;
}

Entity GlTest::AddLight(Vec2 position, Vec3 color, float radius)
{
    const Entity entity("Light");
    store.AddComponent<Transform>(entity)->SetTranslation(position);
    auto* light = store.AddComponent<LightSource>(entity);
    light->color = color;
    light->radius = radius;
    created.push_back(entity);
    return entity;
}

Sprite& GlTest::SpriteOf(const Entity& entity) { return *store.GetComponent<Sprite>(entity); }

Vec2 GlTest::ToPixel(Vec2 world) const
{
    const float pixelsPerUnit = static_cast<float>(GlWorld::height) / Camera::startZoom;
    const Vec2 relative = world - camera.GetPosition();
    return {static_cast<float>(GlWorld::width) * 0.5f + relative.x * pixelsPerUnit,
            static_cast<float>(GlWorld::height) * 0.5f - relative.y * pixelsPerUnit};
}

Pixels GlTest::Window() const { return ReadWindow(window.width, window.height); }

Pixels GlTest::Scene() const
{
    return ReadFramebuffer(renderer.sceneTarget.Framebuffer(), renderer.sceneTarget.width, renderer.sceneTarget.height);
}

::testing::AssertionResult Near(Pixels::Color actual, Pixels::Color expected, int tolerance)
{
    if (std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
        std::abs(actual.b - expected.b) <= tolerance)
    {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "colour (" << actual.r << ", " << actual.g << ", " << actual.b
                                         << ") is not near (" << expected.r << ", " << expected.g << ", " << expected.b
                                         << ")";
}

} // namespace kesto::test
