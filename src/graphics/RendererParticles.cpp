// The renderer's particle step: each emission of an emitter whose live particles reach the view, drawn lit in the
// emitter's place in the draw order; with debug drawing (F1) on, each emission's reach and live box as well.
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "graphics/Camera.h"
#include "graphics/Mesh.h"
#include "graphics/RendererSystem.h"
#include "graphics/Shader.h"
#include "graphics/SpriteSource.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleTemplate.h"

#include <algorithm>
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

void RendererSystem::DrawParticles(const Entity& entity, EntityStore& store, const Matrix3& projView)
{
    ParticleEmitter* emitter = store.GetComponent<ParticleEmitter>(entity);
    if (!emitter)
    {
        return;
    }
    const Vec2 cameraPosition = registry->GetSystem<Camera>()->GetPosition();
    const float depth = emitter->depth;
    const bool debugDraw = registry->GetSystem<ECS>()->systemStore.debugDraw;
    for (const EmissionSlot& slot : emitter->emissions)
    {
        if (debugDraw)
        {
            ShowEmissionBoxes(slot, store.GetComponent<Transform>(entity)->GetTranslation(), depth, cameraPosition);
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
        DrawEmission(slot, *look, depth, cameraPosition, projView);
    }
}

void RendererSystem::ShowEmissionBoxes(const EmissionSlot& slot, Vec2 entityPosition, float depth, Vec2 cameraPosition)
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

void RendererSystem::DrawEmission(const EmissionSlot& slot, const ParticleTemplate& look, float depth,
                                  Vec2 cameraPosition, const Matrix3& projView)
{
    using U = SpriteUniform;
    SetBlend("Normal");
    // Particles have no maps, so the lit program's map-less variant draws them, with the frame's lights.
    const Shader& program = look.shader == textureShader ? *flatShader : *look.shader;
    if (&program != flatShader)
    {
        UploadLights(program);
    }
    program.Use();
    look.spriteSource->texture->Bind(0, 1.0f, 1.0f);
    Shader::Set(program.Location(U::Tex), 0);
    Shader::Set(program.Location(U::HasNormalMap), 0);
    Shader::Set(program.Location(U::HasSpecularMap), 0);
    Shader::Set(program.Location(U::Crop), Vec2{1.0f, 1.0f});
    Shader::Set(program.Location(U::Offset), Vec2{0.0f, 0.0f});
    Shader::Set(program.Location(U::Diffuse), 1.0f);
    Shader::Set(program.Location(U::Specular), 0.5f);
    Shader::Set(program.Location(U::Shininess), 4.0f);
    Shader::Set(program.Location(U::ProjView), projView);
    Shader::Set(program.Location(U::ZPos), DepthToZ(depth, depthScaling));
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
        const Vec2 at = ParallaxPosition(p.position, cameraPosition, depth);
        Shader::Set(program.Location(U::BlendColor), Vec3{p.color.x, p.color.y, p.color.z});
        Shader::Set(program.Location(U::Alpha), std::clamp(p.color.w, 0.0f, 1.0f));
        Shader::Set(program.Location(U::UvOffset), trail ? p.uvOffset : Vec2{0.0f, 0.0f});
        Shader::Set(program.Location(U::FlippedX), p.flippedX ? 1 : 0);
        Shader::Set(program.Location(U::FlippedY), p.flippedY ? 1 : 0);
        Shader::Set(program.Location(U::Model), ParticleMatrix(at, p.rotation, p.scale));
        look.mesh->Draw();
    }
}

} // namespace kesto
