// The renderer's particle step: each emission of an emitter whose live particles reach the view, drawn lit in the
// emitter's place in the draw order; with debug drawing (F1) on, each emission's reach and live box as well.
#include "ecs/ECS.h"
#include "ecs/EntityStore.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "graphics/Mesh.h"
#include "graphics/RendererSystem.h"
#include "graphics/SpriteSource.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleTemplate.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kesto
{

namespace
{

// Translation x rotation x scale, built directly: one per particle per frame.
Matrix3 ParticleMatrix(Vec2 position, float rotation, Vec2 scale)
{
    const float c = std::cos(rotation);
    const float s = std::sin(rotation);
    Matrix3 m;
    m.At(0, 0) = c * scale.x;
    m.At(1, 0) = s * scale.x;
    m.At(0, 1) = -s * scale.y;
    m.At(1, 1) = c * scale.y;
    m.At(0, 2) = position.x;
    m.At(1, 2) = position.y;
    return m;
}

bool CanDraw(const ParticleTemplate* look)
{
    return look && look->shader && look->mesh && look->spriteSource && look->spriteSource->HasTexture();
}

} // namespace

void RendererSystem::DrawParticles(const Entity& entity, EntityStore& store)
{
    ParticleEmitter* emitter = store.GetComponent<ParticleEmitter>(entity);
    if (!emitter)
    {
        return;
    }
    const float depth = emitter->depth;
    const Transform* transform = store.GetComponent<Transform>(entity);
    const bool debugDraw = transform && registry->GetSystem<ECS>()->systemStore.debugDraw;
    for (const EmissionSlot& slot : emitter->emissions)
    {
        if (debugDraw)
        {
            ShowEmissionBoxes(slot, transform->GetTranslation(), depth);
        }
        const ParticleTemplate* look = slot.emission.particleTemplate;
        if (slot.liveCount == 0 || !slot.HasBounds() || !CanDraw(look))
        {
            continue;
        }
        // The box around the live particles, where the emitter's depth draws it.
        const Vec2 centre = ParallaxPosition((slot.liveMin + slot.liveMax) * 0.5f, cameraPosition, depth);
        const Vec2 size = (slot.liveMax - slot.liveMin) * std::fabs(1.0f - depth);
        if (!OverlapsView(centre, size))
        {
            continue;
        }
        DrawEmission(slot, *look, depth);
    }
}

void RendererSystem::ShowEmissionBoxes(const EmissionSlot& slot, Vec2 entityPosition, float depth)
{
    const float scale = std::fabs(1.0f - depth);
    // The shape's reach from the birth point, whichever way the emission turns.
    const Vec2 reach = slot.emission.cullSize;
    const float side = 2.0f * std::max(reach.x, reach.y) * scale;
    AddDebugRect(ParallaxPosition(entityPosition + slot.emission.offset, cameraPosition, depth), side, side,
                 {1.0f, 0.85f, 0.2f});
    if (slot.HasBounds())
    {
        const Vec2 size = (slot.liveMax - slot.liveMin) * scale;
        AddDebugRect(ParallaxPosition((slot.liveMin + slot.liveMax) * 0.5f, cameraPosition, depth), size.x, size.y,
                     {0.3f, 0.9f, 1.0f});
    }
}

void RendererSystem::DrawEmission(const EmissionSlot& slot, const ParticleTemplate& look, float depth)
{
    // Particles have no maps: the lit program's map-less variant draws them, with the lights that reach each.
    const float u = look.mesh->uExtent;
    const float v = look.mesh->vExtent;
    DrawState state;
    state.program = look.shader;
    state.texture = look.spriteSource->texture.get();
    state.repeatU = u > 1.0f;
    state.repeatV = v > 1.0f;
    state.blend = BlendMode::Normal;
    DrawSurface surface;
    surface.zPos = DepthToZ(depth, depthScaling);

    static constexpr std::array<Vec2, 4> unitCorners = {Vec2{-0.5f, 0.5f}, Vec2{-0.5f, -0.5f}, Vec2{0.5f, 0.5f},
                                                        Vec2{0.5f, -0.5f}};
    const std::array<Vec2, 4> texCorners = {Vec2{0.0f, v}, Vec2{0.0f, 0.0f}, Vec2{u, v}, Vec2{u, 0.0f}};
    const bool trail = slot.emission.trail;
    int drawn = 0;
    for (const Particle& p : slot.pool)
    {
        if (drawn == slot.liveCount)
        {
            break;
        }
        if (!p.alive)
        {
            continue;
        }
        ++drawn;
        surface.tint = {p.color.x, p.color.y, p.color.z, std::clamp(p.color.w, 0.0f, 1.0f)};
        const Matrix3 model = ParticleMatrix(ParallaxPosition(p.position, cameraPosition, depth), p.rotation, p.scale);
        // A trail particle shows the sprite cell it was born with.
        const Vec2 cell = trail ? p.uvOffset : Vec2{0.0f, 0.0f};
        std::array<DrawVertex, 4> corners;
        for (std::size_t i = 0; i < corners.size(); ++i)
        {
            Vec2 t = texCorners[i] + cell;
            t.x = p.flippedX ? 1.0f - t.x : t.x;
            t.y = p.flippedY ? 1.0f - t.y : t.y;
            corners[i] = {model.TransformPoint(unitCorners[i]), t};
        }
        batch.SubmitQuad(state, surface, corners);
    }
}

} // namespace kesto
