#include "graphics/RendererSystem.h"

#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "graphics/Camera.h"
#include "graphics/Mesh.h"
#include "graphics/MeshManager.h"
#include "graphics/ScreenElement.h"
#include "graphics/ShaderManager.h"
#include "graphics/Sprite.h"
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

int SortKey(const EntityStore& store, const Entity& entity)
{
    return std::max({OrderOf(store.GetComponent<Sprite>(entity)), OrderOf(store.GetComponent<ParticleEmitter>(entity)),
                     OrderOf(store.GetComponent<SpriteText>(entity))});
}

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
    const ShaderManager& shaders = *registry->GetSystem<ShaderManager>();
    screenQuad = std::make_unique<Mesh>(1.0f, 1.0f, 1.0f, 1.0f, Vec4{1.0f, 0.0f, 0.0f, 1.0f});
    screenShader = &shaders.Get("Screen");
    videoShader = &shaders.Get("Video");
    textureShader = &shaders.Get("Texture");
    flatShader = &shaders.Get("TextureFlat");
    debugShader = &shaders.Get("DebugLine");
    shaders.Get("Emissive");
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
    Camera& camera = *registry->GetSystem<Camera>();
    lights.Gather(ecs.entityStore, camera.GetPosition(), depthScaling);
    AdvanceEffects(dt);
    const WindowHandler& window = *registry->GetSystem<WindowHandler>();
    // The framebuffer callback is not the only way the window changes size (F11 with no event pumped yet).
    if (sceneTarget.width != window.width || sceneTarget.height != window.height)
    {
        ResizeSceneTarget(window.width, window.height);
    }
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
        DrawDebug(camera);
    }
    debugLines.lines.clear();
    AdvanceAmbient(dt);
    PostProcess();
    DrawOverlay(entities, ecs.entityStore);
    Present();
}

void RendererSystem::DrawScene(EntityList& entities, EntityStore& store, Camera& camera, float dt)
{
    const Vec2 cameraPosition = camera.GetPosition();
    for (const Shader* lit : {textureShader, flatShader})
    {
        lit->Use();
        lights.Upload(*lit, ambient, {cameraPosition.x, cameraPosition.y, -depthScaling});
    }
    const float aspect = camera.GetAspect();
    viewCentre = cameraPosition;
    viewSize = {camera.GetZoom() * aspect, camera.GetZoom()};
    const Matrix3 projView = camera.GetProjView();
    for (const Entity& entity : entities)
    {
        DrawEntitySprite(entity, store, projView);
        DrawEntityText(entity, store, projView);
        PlayVideo(entity, store, projView, dt);
    }
}

void RendererSystem::DrawEntitySprite(const Entity& entity, EntityStore& store, const Matrix3& projView)
{
    Sprite* sprite = store.GetComponent<Sprite>(entity);
    if (!sprite)
    {
        return;
    }
    Transform& transform = *store.GetComponent<Transform>(entity);
    if (sprite->spriteSource)
    {
        SetBlend(sprite->spriteSource->blend);
    }
    const ScreenElement* ui = ScreenElementOf(store, entity);
    if (ui && !registry->GetSystem<ECS>()->systemStore.editorMode)
    {
        if (!ui->IsOverOverlay())
        {
            DrawSprite(*sprite, ScreenSpaceModel(transform.GetMatrix()), Matrix3::Identity(), screenDepthScaling);
        }
        return;
    }
    if (sprite->usingSpine)
    {
        // Skeletons are drawn by the skeleton runtime, which is not part of the engine yet.
        return;
    }
    const Matrix3 model = ParallaxModel(transform.GetMatrix(), transform.GetTranslation(), sprite->depth);
    const Vec2 scale = transform.GetScale();
    const float side = std::max(scale.x, scale.y) * cullSquareFactor;
    if (OverlapsView({model.At(0, 2), model.At(1, 2)}, {side, side}))
    {
        DrawSprite(*sprite, model, projView, depthScaling);
    }
}

void RendererSystem::DrawDebug(Camera& camera)
{
    AddDebugRect({0.0f, 0.0f}, 3.5556f, 2.0f, {1.0f, 1.0f, 1.0f}, 1.0f);
    debugShader->Use();
    debugLines.Draw(*debugShader, camera.GetProjView());
}

const Shader& RendererSystem::ProgramFor(const Sprite& sprite) const
{
    return sprite.shader == textureShader && !sprite.HasMaps() ? *flatShader : *sprite.shader;
}

bool RendererSystem::EffectsAtRest() const { return crtAmount == 0.0f && timeSlow == 0.0f && transition == 0.0f; }

void RendererSystem::PostProcess()
{
    const WindowHandler& window = *registry->GetSystem<WindowHandler>();
    if (EffectsAtRest())
    {
        // The pass would copy the scene unchanged; a blit gives the same picture far faster in software GL.
        glBindFramebuffer(GL_READ_FRAMEBUFFER, sceneTarget.Framebuffer());
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        glBlitFramebuffer(0, 0, sceneTarget.width, sceneTarget.height, 0, 0, window.width, window.height,
                          GL_COLOR_BUFFER_BIT, GL_NEAREST);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, window.width, window.height);
        return;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, window.width, window.height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SetBlend("Normal");
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
    if (registry->GetSystem<ECS>()->systemStore.editorMode)
    {
        return;
    }
    for (const Entity& entity : entities)
    {
        const ScreenElement* ui = ScreenElementOf(store, entity);
        Sprite* sprite = store.GetComponent<Sprite>(entity);
        if (!ui || !sprite || !ui->IsOverOverlay())
        {
            continue;
        }
        if (sprite->spriteSource)
        {
            SetBlend(sprite->spriteSource->blend);
        }
        Transform& transform = *store.GetComponent<Transform>(entity);
        DrawSprite(*sprite, ScreenSpaceModel(transform.GetMatrix()), Matrix3::Identity(), screenDepthScaling);
    }
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

void RendererSystem::SetBlend(std::string_view blendName)
{
    if (blendName == "Normal")
    {
        glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    }
    else if (blendName == "Additive")
    {
        glBlendFunc(GL_ONE, GL_ONE);
    }
}

void RendererSystem::DrawSprite(const Sprite& sprite, const Matrix3& model, const Matrix3& projView, float scaling)
{
    if (!sprite.CanDraw())
    {
        return;
    }
    const Shader& program = ProgramFor(sprite);
    program.Use();
    sprite.SetUniforms(program, model, projView, scaling);
    sprite.mesh->Draw();
}

Matrix3 RendererSystem::ParallaxModel(const Matrix3& model, Vec2 position, float depth)
{
    if (depth == 0.0f)
    {
        return model;
    }
    const Vec2 cameraPosition = registry->GetSystem<Camera>()->GetPosition();
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
    if (!faded.CanDraw())
    {
        return;
    }
    Camera& camera = *registry->GetSystem<Camera>();
    const Vec2 cameraPosition = camera.GetPosition();
    const Shader& program = ProgramFor(faded);
    program.Use();
    lights.Upload(program, ambient, {cameraPosition.x, cameraPosition.y, -depthScaling}, false);
    SetBlend("Normal");
    const Matrix3 model = ParallaxModel(transform.GetMatrix(), transform.GetTranslation(), sprite.depth);
    DrawSprite(faded, model, camera.GetProjView(), depthScaling);
}

void RendererSystem::UploadLights(const Shader& shader)
{
    const Vec2 cameraPosition = registry->GetSystem<Camera>()->GetPosition();
    shader.Use();
    lights.Upload(shader, ambient, {cameraPosition.x, cameraPosition.y, -depthScaling});
}

void RendererSystem::ResizeSceneTarget(int width, int height)
{
    if (gl && width > 0 && height > 0)
    {
        sceneTarget.Create(width, height);
    }
}

} // namespace kesto
