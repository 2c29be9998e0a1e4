#pragma once

#include "engine/Random.h"
#include "graphics/Camera.h"
#include "graphics/MeshManager.h"
#include "graphics/RendererSystem.h"
#include "graphics/ShaderManager.h"
#include "graphics/SpriteSourceManager.h"
#include "graphics/WindowHandler.h"
#include "particles/ParticleTemplateManager.h"
#include "support/TestWorld.h"

#include <memory>
#include <string>

namespace kesto::test
{

// The headless engine seen from the graphics systems: no window and no GL context (the window handler's 800 x 800
// stands for the window); the shader manager holds a program-less stand-in for every program the engine asks for;
// the sprite-source manager holds only what a test puts into its map; the particle templates are a stand-in for the
// default "LightParticle" and what a test adds.
struct GraphicsWorld
{
    GraphicsWorld()
    {
        SystemRegistry& registry = world.registry;
        random = registry.GetSystem<Random>();
        camera = registry.GetSystem<Camera>();
        meshes = registry.GetSystem<MeshManager>();
        shaders = registry.GetSystem<ShaderManager>();
        sources = registry.GetSystem<SpriteSourceManager>();
        particleTemplates = registry.GetSystem<ParticleTemplateManager>();
        ParticleTemplate light;
        light.name = "LightParticle";
        particleTemplates->Add(light);
        for (const char* name : {"Texture", "Emissive", "Screen", "Video", "DebugLine"})
        {
            shaders->shaders.emplace(name, std::make_unique<Shader>(name));
        }
    }

    // Initialises the world, with archetypes from a folder when one is given, and seeds the random numbers.
    void Init(const std::string& archetypeFolder = "")
    {
        world.factory->folder = archetypeFolder;
        world.Init();
        random->Seed(1);
    }

    // A source with a texture object that has pixels, as if uploaded; no GL object is made.
    SpriteSource& AddSource(const std::string& name, int rows, int columns, const std::string& blend = "Normal")
    {
        SpriteSource source;
        source.name = name;
        source.rows = rows;
        source.columns = columns;
        source.blend = blend;
        source.texture = std::make_unique<Texture>();
        source.texture->width = 8;
        source.texture->height = 8;
        return sources->sources.emplace(name, std::move(source)).first->second;
    }

    RendererSystem& Renderer() { return *world.Systems().GetSystem<RendererSystem>(); }
    EntityStore& Store() { return world.Store(); }

    TestWorld world;
    Random* random = nullptr;
    Camera* camera = nullptr;
    MeshManager* meshes = nullptr;
    ShaderManager* shaders = nullptr;
    SpriteSourceManager* sources = nullptr;
    ParticleTemplateManager* particleTemplates = nullptr;
};

} // namespace kesto::test
