#pragma once

#include "animation/SkeletonBatcher.h"
#include "ecs/ESystem.h"
#include "ecs/Transform.h"
#include "engine/Matrix3.h"
#include "engine/Ring.h"
#include "engine/Vector.h"
#include "graphics/DebugLines.h"
#include "graphics/DrawBatch.h"
#include "graphics/SceneLights.h"
#include "graphics/SceneTarget.h"
#include "graphics/ScreenTransition.h"
#include "graphics/Sprite.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace kesto
{

class Camera;
class EntityStore;
struct EmissionSlot;
struct ParticleTemplate;
class Mesh;
class Shader;

// Draws one frame: gathers the lights, draws every renderable entity in draw order into the scene target, adds
// debug lines, post-processes the scene onto the window, draws the interface marked "overOverlay" on top and
// presents. Also owns the scene-wide render state other parts write directly: ambient light and its transition,
// clear colour, depth scaling, and the effect values (slow-motion tint, screen transition, CRT).
//
// Without a current GL context (headless tests) the renderer draws nothing but still advances the effect values
// and the ambient transition, which the level flow depends on.
class RendererSystem : public ESystem
{
public:
    // Depth scaling of everything drawn in screen space.
    static constexpr float screenDepthScaling = 2000.0f;

    RendererSystem();
    ~RendererSystem() override;

    void Init() override;
    void Update(EntityList& entities, float dt) override;

    // Puts the list into ascending order of the largest draw order of the entity's drawable components.
    void SortRenderList(EntityList& entities);

    // Debug drawing in world units, callable from any part during the frame; drawn while debug drawing (F1) is
    // on and emptied at the end of every frame.
    void AddDebugLine(Vec2 from, Vec2 to, Vec3 color, float width = 1.0f);
    void AddDebugRect(Vec2 centre, float width, float height, Vec3 color, float lineWidth = 1.0f);
    void AddDebugCircle(Vec2 centre, int segments, Vec3 color, float radius, float lineWidth = 1.0f);
    const std::vector<DebugLine>& QueuedDebugLines() const { return debugLines.lines; }

    // A recorded pose (the player's trail), drawn faintly while debug drawing (F1) is on. Poses stay until
    // cleared (at a change to another level and when leaving editor mode) or until newer ones push them out.
    struct Afterimage
    {
        Transform transform;
        Sprite sprite;
    };
    // Poses kept: ten seconds of trail at the player's 15 a second.
    static constexpr std::size_t afterimageCapacity = 150;
    void AddAfterimage(const Transform& transform, const Sprite& sprite);
    const Ring<Afterimage>& Afterimages() const { return afterimages; }
    void ClearAfterimages() { afterimages.Clear(); }

    // Hooks for the other drawables (sprite text, particles, Spine, video, afterimages). All need the GL context and
    // run inside the frame.
    // Where everything textured is drawn through (see DrawBatch); flushed at the end of the scene and of the
    // overlay. Whoever draws with GL directly in between flushes it first.
    DrawBatch& Batch() { return batch; }
    // Queues the sprite's quad with the sprite's shader, `model` placing it in `space` (see DrawSpace; a screen-space
    // model comes from ScreenSpaceModel); nothing for a sprite that cannot be drawn yet (no mesh, shader or uploaded
    // texture).
    void SubmitSprite(const Sprite& sprite, const Matrix3& model, DrawSpace space, float scaling,
                      Lighting lighting = Lighting::Scene);
    // The model matrix with its depth parallax translation in front.
    Matrix3 ParallaxModel(const Matrix3& model, Vec2 position, float depth);
    // A model matrix read in screen units: x terms divided by the window's aspect ratio.
    Matrix3 ScreenSpaceModel(const Matrix3& model) const;
    // Whether a box overlaps the camera's view rectangle (touching edges count as outside).
    bool OverlapsView(Vec2 centre, Vec2 size);
    // One afterimage snapshot at a quarter of its opacity, with the "Texture" program, normal blending and the
    // ambient light alone; drawn at once.
    void DrawAfterimage(Transform& transform, const Sprite& sprite);
    // A new level starts: reports about its lights (bad values, more lights than fit) are given once more.
    void BeginLevel(const std::string& levelName);

    // Recreates the scene target at the new framebuffer size.
    void ResizeSceneTarget(int width, int height);
    bool HasGl() const { return gl; }

    // Draws over the finished frame just before it is presented (the editor's windows); needs the GL context.
    std::function<void()> beforePresent;

    SceneTarget sceneTarget;
    std::unique_ptr<Mesh> screenQuad; // the full-screen quad of the post-processing pass
    Shader* screenShader = nullptr;   // "Screen"
    Shader* videoShader = nullptr;    // "Video"
    Mesh* videoMesh = nullptr;        // the (1, 1) quad for video frames
    Vec3 clearColor{0.0f, 0.0f, 0.0f};
    Vec3 ambient{1.0f, 1.0f, 1.0f};
    float depthScaling = 2000.0f; // world distance of one unit of shader depth; the level's "DepthScaling"
    float ambientTimeLeft = 0.0f; // seconds left of an ambient transition
    Vec3 ambientTarget{0.0f, 0.0f, 0.0f};
    float timeSlow = 0.0f; // 0..1, slow-motion tint
    bool slowMotionOn = false;
    float transition = 0.0f;         // 0..1, how far the screen transition has gone (1 = covered)
    float transitionDuration = 0.0f; // seconds for a full transition
    bool fadingOut = false;          // direction: towards 1 while fading out
    ScreenTransition transitionType = ScreenTransition::Fade;
    float crtAmount = 0.0f; // 0..1
    bool crtOn = false;
    float totalTime = 0.0f; // sum of every frame step

private:
    // Step 2 of the frame: slow-motion tint, screen transition and CRT amount.
    void AdvanceEffects(float dt);
    // Step 7: the timed ambient transition.
    void AdvanceAmbient(float dt);
    void DrawScene(EntityList& entities, EntityStore& store, Camera& camera, float dt);
    // A Spine sprite's skeleton advances by dt first.
    void DrawEntitySprite(const Entity& entity, EntityStore& store, float dt);
    // The entity's sprite text, in screen space for a UI element and in the world otherwise (see RendererText.cpp).
    void DrawEntityText(const Entity& entity, EntityStore& store);
    // Each emission of the entity's particle emitter whose live particles reach the view, submitted to the batch
    // (see RendererParticles.cpp).
    void DrawParticles(const Entity& entity, EntityStore& store);
    void DrawEmission(const EmissionSlot& slot, const ParticleTemplate& look, float depth);
    // Debug lines: the shape's reach around the birth point (yellow) and the box of the live particles that culling
    // uses (cyan).
    void ShowEmissionBoxes(const EmissionSlot& slot, Vec2 entityPosition, float depth);
    // Plays the entity's video while the editor is not active: starts its sound track with the first frame,
    // decodes, and draws the current picture when there is a GL context.
    void PlayVideo(const Entity& entity, EntityStore& store, const Matrix3& projView, float dt);
    void DrawDebug(Camera& camera);
    void PostProcess();
    void DrawOverlay(EntityList& entities, EntityStore& store);
    void Present();

    bool gl = false;
    // Whether every post-processing effect is at rest, so the pass would leave the picture unchanged.
    bool EffectsAtRest() const;

    Shader* textureShader = nullptr;
    Shader* debugShader = nullptr;
    SceneLights lights;
    DrawBatch batch;
    SkeletonBatcher skeletons;
    bool editorMode = false; // this frame's editor mode
    Vec2 cameraPosition;     // this frame's, for the parallax
    DebugLines debugLines;
    Ring<Afterimage> afterimages{afterimageCapacity};
    Vec2 viewCentre; // this frame's view rectangle, for culling
    Vec2 viewSize;
};

} // namespace kesto
