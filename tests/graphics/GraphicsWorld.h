#pragma once

#include "engine/Random.h"
#include "graphics/Camera.h"
#include "graphics/MeshManager.h"
#include "graphics/RendererSystem.h"
#include "graphics/ShaderManager.h"
#include "graphics/SpriteSourceManager.h"
#include "graphics/WindowHandler.h"
#include "support/TestWorld.h"

#include <memory>
#include <string>

namespace kesto::test
{

// A headless engine: the entity world plus the graphics systems, with no window and no GL context. The window
// handler is registered but never initialised (its 800 x 800 stands for the window); the shader manager holds a
// program-less stand-in for every program the engine asks for; the sprite-source manager holds only what a test
// puts into its map.
struct GraphicsWorld
{
    GraphicsWorld()
    {
        world.registry.Register(std::make_unique<Random>());
        world.registry.Register(std::make_unique<WindowHandler>());
        world.registry.Register(std::make_unique<MeshManager>());
        world.registry.Register(std::make_unique<Camera>());
        auto ownedShaders = std::make_unique<ShaderManager>();
        for (const char* name : {"Texture", "TextureFlat", "Emissive", "Screen", "Video", "DebugLine"})
        {
            ownedShaders->shaders.emplace(name, std::make_unique<Shader>(name));
        }
        shaders = ownedShaders.get();
        world.registry.Register(std::move(ownedShaders));
        auto ownedSources = std::make_unique<SpriteSourceManager>();
        sources = ownedSources.get();
        world.registry.Register(std::move(ownedSources));
        random = world.registry.GetSystem<Random>();
        camera = world.registry.GetSystem<Camera>();
        meshes = world.registry.GetSystem<MeshManager>();
    }

    // Initialises the world and the camera; loads archetypes from a folder when one is given.
    void Init(const std::string& archetypeFolder = "")
    {
        world.Init();
        random->Seed(1);
        camera->Init();
        if (!archetypeFolder.empty())
        {
            world.factory->folder = archetypeFolder;
            world.factory->Init();
        }
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
};

} // namespace kesto::test
