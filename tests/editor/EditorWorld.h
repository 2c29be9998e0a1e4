#pragma once

#include "ecs/Transform.h"
#include "editor/EditorSystem.h"
#include "graphics/Camera.h"
#include "graphics/Sprite.h"
#include "levels/LevelManager.h"
#include "support/TestWorld.h"

#include <GLFW/glfw3.h>
#include <string>

namespace kesto::test
{

// A headless engine in editor mode, driven by a fake mouse and keyboard aimed at world points. The headless window
// is 800 x 800 pixels and the camera shows 1600 units around (0, 0), so one pixel is two units.
struct EditorWorld
{
    explicit EditorWorld(std::string archetypeFolder = "") : world(std::move(archetypeFolder))
    {
        world.ecs->SetEditorMode(true);
    }

    void Init()
    {
        world.Init();
        editor = world.Systems().GetSystem<EditorSystem>();
        camera = world.registry.GetSystem<Camera>();
        levels = world.registry.GetSystem<LevelManager>();
        Frame();
    }

    void Frame() { world.registry.StepFrame(now += 1.0 / 64.0); }
    // Input reaches the engine with the pump at the end of a frame; the frame after sees it as a fresh edge.
    void Press(int code)
    {
        world.keyboardMouse->Press(code);
        Frame();
        Frame();
    }
    void Release(int code)
    {
        world.keyboardMouse->Release(code);
        Frame();
        Frame();
    }
    void Click(int button = GLFW_MOUSE_BUTTON_LEFT)
    {
        Press(button);
        Release(button);
    }
    void CursorAt(Vec2 point)
    {
        const Vec2 pixels = camera->WorldToScreen(point);
        world.keyboardMouse->cursor = {pixels.x, pixels.y};
    }
    // Left button down at `from`, the cursor moved to `to` with the button held, and released there.
    void Drag(Vec2 from, Vec2 to)
    {
        CursorAt(from);
        Press(GLFW_MOUSE_BUTTON_LEFT);
        CursorAt(to);
        Frame();
        Release(GLFW_MOUSE_BUTTON_LEFT);
    }

    // A level entity with a transform and, when `order` is given, a sprite.
    Entity Add(const std::string& name, Vec2 position, Vec2 scale, std::optional<int> order = std::nullopt,
               float depth = 0.0f)
    {
        const Entity entity(name);
        auto* transform = world.Store().AddComponent<Transform>(entity);
        transform->SetTranslation(position);
        transform->SetScale(scale);
        if (order)
        {
            auto* sprite = world.Store().AddComponent<Sprite>(entity);
            sprite->order = *order;
            sprite->depth = depth;
        }
        levels->AddToLevel(entity);
        return entity;
    }
    Transform& TransformOf(const Entity& entity) { return *world.Store().GetComponent<Transform>(entity); }

    TestWorld world;
    EditorSystem* editor = nullptr;
    Camera* camera = nullptr;
    LevelManager* levels = nullptr;
    double now = 1.0;
};

} // namespace kesto::test
