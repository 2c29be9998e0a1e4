#include "graphics/RendererSystem.h"

#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "graphics/Camera.h"
#include "graphics/Mesh.h"
#include "graphics/MeshManager.h"
#include "graphics/ScreenElement.h"
#include "graphics/ShaderManager.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteQuad.h"
#include "graphics/SpriteSource.h"
#include "graphics/SpriteText.h"
#include "graphics/WindowHandler.h"
#include "particles/ParticleEmitter.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <climits>
#include <cmath>
#include <epoxy/gl.h>

namespace kesto
{

namespace
{

constexpr float cullSquareFactor = 1.4142135f;

// Draw order of a component that has one; components whose data does not carry an order yet count as absent.
template <typename C> int OrderOf(const C* component)
{
    if constexpr (requires { component->order; })
    {
        return component ? component->order : INT_MIN;
    }
    else
    {
        return INT_MIN;
    }
}

// The entity's placement in screen units (its UI component), or null for an entity of the world.
const ScreenElement* ScreenElementOf(const EntityStore& store, const Entity& entity)
{
    return dynamic_cast<const ScreenElement*>(store.GetComponent(entity, IndexOf(ComponentType::UI)));
}

// Draw order: the largest order of the entity's drawables, then its depth (farther first), then list order.
struct SortKey
{
    int order = INT_MIN;
    float depth = 0.0f;

    SortKey(const EntityStore& store, const Entity& entity)
    {
        const Sprite* sprite = store.GetComponent<Sprite>(entity);
        const ParticleEmitter* emitter = store.GetComponent<ParticleEmitter>(entity);
        order = std::max({OrderOf(sprite), OrderOf(emitter), OrderOf(store.GetComponent<SpriteText>(entity))});
        depth = sprite ? sprite->depth : (emitter ? emitter->depth : 0.0f);
    }

    bool operator<(const SortKey& other) const
    {
        return order != other.order ? order < other.order : depth > other.depth;
    }
};

} // namespace

RendererSystem::RendererSystem() = default;
RendererSystem::~RendererSystem() = default;

void RendererSystem::Init()
{
    gl = glfwGetCurrentContext() != nullptr;
    if (!gl)
    {
        return;
    }
    glEnable(GL_BLEND);
    // Quads wind counter-clockwise; a mirrored one would face away and be culled.
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    ShaderManager& shaders = *registry->GetSystem<ShaderManager>();
    screenQuad = std::make_unique<Mesh>(1.0f, 1.0f, 1.0f, 1.0f, Vec4{1.0f, 0.0f, 0.0f, 1.0f});
    screenShader = &shaders.Get("Screen");
    videoShader = &shaders.Get("Video");
    textureShader = &shaders.Get("Texture");
    debugShader = &shaders.Get("DebugLine");
    shaders.Get("Emissive");
    batch.Init(shaders);
    lights.trace = registry->GetSystem<Trace>();
    videoMesh = &registry->GetSystem<MeshManager>()->Get(1.0f, 1.0f);
    const WindowHandler& window = *registry->GetSystem<WindowHandler>();
    glViewport(0, 0, window.width, window.height);
    registry->GetSystem<Camera>()->SetScreenSize(static_cast<float>(window.width), static_cast<float>(window.height));
    sceneTarget.Create(window.width, window.height);
}

void RendererSystem::Update(EntityList& entities, float dt)
{
    totalTime += dt;
    ECS& ecs = *registry->GetSystem<ECS>();
    editorMode = ecs.systemStore.editorMode;
    Camera& camera = *registry->GetSystem<Camera>();
    cameraPosition = camera.GetPosition();
    if (!gl)
    {
        // Cinematics end when their video does, so videos still play, unseen.
        for (const Entity& entity : entities)
        {
            PlayVideo(entity, ecs.entityStore, Matrix3::Identity(), dt);
        }
        AdvanceEffects(dt);
        AdvanceAmbient(dt);
        debugLines.lines.clear();
        return;
    }
    lights.Gather(ecs.entityStore, cameraPosition, depthScaling);
    AdvanceEffects(dt);
    const WindowHandler& window = *registry->GetSystem<WindowHandler>();
    // The framebuffer callback is not the only way the window changes size (F11 with no event pumped yet).
    if (sceneTarget.width != window.width || sceneTarget.height != window.height)
    {
        ResizeSceneTarget(window.width, window.height);
    }
    sceneTarget.onWindow = EffectsAtRest();
    sceneTarget.Bind();
    glClearColor(clearColor.x, clearColor.y, clearColor.z, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    DrawScene(entities, ecs.entityStore, camera, dt);
    if (ecs.systemStore.debugDraw)
    {
        for (const Afterimage& pose : afterimages)
        {
            Transform transform = pose.transform;
            DrawAfterimage(transform, pose.sprite);
        }
    }
    batch.Flush();
    if (ecs.systemStore.debugDraw)
    {
        DrawDebug(camera);
    }
    debugLines.lines.clear();
    AdvanceAmbient(dt);
    PostProcess();
    DrawOverlay(entities, ecs.entityStore);
    if (beforePresent)
    {
        beforePresent();
    }
    Present();
}

void RendererSystem::DrawScene(EntityList& entities, EntityStore& store, Camera& camera, float dt)
{
    const float aspect = camera.GetAspect();
    viewCentre = cameraPosition;
    viewSize = {camera.GetZoom() * aspect, camera.GetZoom()};
    const Matrix3 projView = camera.GetProjView();
    batch.BeginFrame(projView, lights, ambient, {cameraPosition.x, cameraPosition.y, -depthScaling});
    for (const Entity& entity : entities)
    {
        DrawParticles(entity, store);
        DrawEntitySprite(entity, store, dt);
        DrawEntityText(entity, store);
        PlayVideo(entity, store, projView, dt);
    }
}

void RendererSystem::DrawEntitySprite(const Entity& entity, EntityStore& store, float dt)
{
    Sprite* sprite = store.GetComponent<Sprite>(entity);
    if (!sprite)
    {
        return;
    }
    Transform& transform = *store.GetComponent<Transform>(entity);
    // The sheet's blend holds from here on even when this sprite is not drawn (culled, over the overlay, a skeleton).
    if (sprite->spriteSource)
    {
        batch.SetBlend(BlendModeOf(sprite->spriteSource->blend));
    }
    const ScreenElement* ui = ScreenElementOf(store, entity);
    if (ui && !editorMode)
    {
        if (!ui->IsOverOverlay())
        {
            SubmitSprite(*sprite, ScreenSpaceModel(transform.GetMatrix()), DrawSpace::Screen, screenDepthScaling);
        }
        return;
    }
    if (sprite->usingSpine)
    {
        // Skeletons advance with the frame's step, which slow motion, pauses and freezes already scale; they are
        // not culled, as their bounds are only known once posed.
        sprite->spine.Advance(dt);
        const Vec2 position = transform.GetTranslation();
        skeletons.Submit(batch, sprite->shader ? *sprite->shader : *textureShader, *sprite, sprite->spine,
                         position + (cameraPosition - position) * sprite->depth, transform.GetScale(), depthScaling);
        return;
    }
    const Matrix3 model = ParallaxModel(transform.GetMatrix(), transform.GetTranslation(), sprite->depth);
    const Vec2 scale = transform.GetScale();
    const float side = std::max(scale.x, scale.y) * cullSquareFactor;
    if (OverlapsView({model.At(0, 2), model.At(1, 2)}, {side, side}))
    {
        SubmitSprite(*sprite, model, DrawSpace::World, depthScaling);
    }
}

void RendererSystem::DrawDebug(Camera& camera)
{
    AddDebugRect({0.0f, 0.0f}, 3.5556f, 2.0f, {1.0f, 1.0f, 1.0f}, 1.0f);
    debugShader->Use();
    debugLines.Draw(*debugShader, camera.GetProjView());
}

bool RendererSystem::EffectsAtRest() const { return crtAmount == 0.0f && timeSlow == 0.0f && transition == 0.0f; }

void RendererSystem::PostProcess()
{
    const WindowHandler& window = *registry->GetSystem<WindowHandler>();
    if (sceneTarget.onWindow)
    {
        // The scene is on the window already; the pass would leave it unchanged.
        return;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, window.width, window.height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    batch.FlushForDirectDraw(BlendMode::Normal);
    const Shader& s = *screenShader;
    s.Use();
    s.Set("tex", 0);
    s.Set("resolution", Vec2{static_cast<float>(window.width), static_cast<float>(window.height)});
    s.Set("time", totalTime);
    s.Set("crtAmount", crtAmount);
    s.Set("timeSlow", timeSlow);
    s.Set("transition", transition);
    s.Set("transitionType", static_cast<int>(transitionType));
    s.Set("fadingOut", fadingOut ? 1 : 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, sceneTarget.Texture());
    screenQuad->Draw();
}

void RendererSystem::DrawOverlay(EntityList& entities, EntityStore& store)
{
    if (editorMode)
    {
        return;
    }
    for (const Entity& entity : entities)
    {
        const ScreenElement* ui = ScreenElementOf(store, entity);
        Sprite* sprite = ui ? store.GetComponent<Sprite>(entity) : nullptr;
        if (!sprite || !ui->IsOverOverlay())
        {
            continue;
        }
        if (sprite->spriteSource)
        {
            batch.SetBlend(BlendModeOf(sprite->spriteSource->blend));
        }
        Transform& transform = *store.GetComponent<Transform>(entity);
        SubmitSprite(*sprite, ScreenSpaceModel(transform.GetMatrix()), DrawSpace::Screen, screenDepthScaling);
    }
    batch.Flush();
}

void RendererSystem::Present()
{
    glfwSwapBuffers(registry->GetSystem<WindowHandler>()->window);
    // Errors are drained so they never pile up across frames; nothing reads them.
    while (glGetError() != GL_NO_ERROR)
    {
    }
}

void RendererSystem::SortRenderList(EntityList& entities)
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    entities.Sort([&store](const Entity& a, const Entity& b) { return SortKey(store, a) < SortKey(store, b); });
}

void RendererSystem::AddAfterimage(const Transform& transform, const Sprite& sprite)
{
    afterimages.Push({transform, sprite});
}

void RendererSystem::AddDebugLine(Vec2 from, Vec2 to, Vec3 color, float width)
{
    debugLines.Add(from, to, color, width);
}

void RendererSystem::AddDebugRect(Vec2 centre, float width, float height, Vec3 color, float lineWidth)
{
    debugLines.AddRect(centre, width, height, color, lineWidth);
}

void RendererSystem::AddDebugCircle(Vec2 centre, int segments, Vec3 color, float radius, float lineWidth)
{
    debugLines.AddCircle(centre, segments, color, radius, lineWidth);
}

void RendererSystem::SubmitSprite(const Sprite& sprite, const Matrix3& model, DrawSpace space, float scaling,
                                  Lighting lighting)
{
    SpriteQuad quad;
    if (!sprite.shader || !MakeSpriteQuad(sprite, *sprite.shader, model, scaling, space, quad))
    {
        return;
    }
    quad.surface.lighting = lighting;
    batch.SubmitQuad(quad.state, quad.surface, quad.corners);
}

Matrix3 RendererSystem::ParallaxModel(const Matrix3& model, Vec2 position, float depth)
{
    if (depth == 0.0f)
    {
        return model;
    }
    return Matrix3::Translation(ParallaxPosition(position, cameraPosition, depth) - position) * model;
}

Matrix3 RendererSystem::ScreenSpaceModel(const Matrix3& model) const
{
    const WindowHandler& window = *registry->GetSystem<WindowHandler>();
    const float aspect =
        window.height > 0 ? static_cast<float>(window.width) / static_cast<float>(window.height) : 1.0f;
    Matrix3 screen = model;
    screen.At(0, 0) /= aspect;
    screen.At(0, 1) /= aspect;
    screen.At(0, 2) /= aspect;
    return screen;
}

bool RendererSystem::OverlapsView(Vec2 centre, Vec2 size)
{
    const Vec2 gap{std::abs(centre.x - viewCentre.x), std::abs(centre.y - viewCentre.y)};
    return gap.x < (size.x + viewSize.x) * 0.5f && gap.y < (size.y + viewSize.y) * 0.5f;
}

void RendererSystem::DrawAfterimage(Transform& transform, const Sprite& sprite)
{
    Sprite faded = sprite;
    faded.alpha = std::clamp(sprite.alpha * 0.25f, 0.0f, 1.0f);
    faded.shader = textureShader;
    const Matrix3 model = ParallaxModel(transform.GetMatrix(), transform.GetTranslation(), sprite.depth);
    SpriteQuad quad;
    if (!MakeSpriteQuad(faded, *textureShader, model, depthScaling, DrawSpace::World, quad))
    {
        return;
    }
    quad.state.blend = BlendMode::Normal;
    quad.surface.lighting = Lighting::AmbientOnly;
    batch.SubmitQuad(quad.state, quad.surface, quad.corners);
    batch.Flush();
}

void RendererSystem::BeginLevel(const std::string& levelName) { lights.BeginLevel(levelName); }

void RendererSystem::ResizeSceneTarget(int width, int height)
{
    if (gl && width > 0 && height > 0)
    {
        sceneTarget.Create(width, height);
    }
}

} // namespace kesto
