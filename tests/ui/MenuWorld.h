#pragma once

#include "audio/Audio.h"
#include "ecs/Transform.h"
#include "graphics/Camera.h"
#include "graphics/RendererSystem.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSource.h"
#include "graphics/SpriteSourceManager.h"
#include "graphics/Texture.h"
#include "graphics/WindowHandler.h"
#include "input/ControllerInputManager.h"
#include "input/PCInputManager.h"
#include "levels/LevelManager.h"
#include "support/TestWorld.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Slider.h"
#include "ui/SliderBackground.h"
#include "ui/SliderBar.h"
#include "ui/UI.h"
#include "ui/UI_InputSystem.h"

#include <GLFW/glfw3.h>
#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace kesto::test
{

// The levels of tests/data/ui/levels ("Menu" loads first; "Stage", "Sub A" and "Sub B" exist) and the sound of the
// audio test project.
inline void UseTestMenus(TestWorld& world)
{
    world.registry.GetSystem<LevelManager>()->folder = KESTO_TEST_DATA "/ui/levels/";
    Audio& audio = *world.Systems().GetSystem<Audio>();
    audio.bankFolder = KESTO_TEST_DATA "/audio/Desktop/";
    audio.guidListFile = KESTO_TEST_DATA "/audio/GUIDs.txt";
}

// A headless game with the menus `content` sets up before Init (by default UseTestMenus) and UI elements the tests
// place in screen units. The window is the headless 800 x 800 one, so screen units run -1..1 both ways, and the
// cursor is moved and clicked as a mouse would.
struct MenuWorld
{
    using Content = std::function<void(TestWorld&)>;

    static constexpr const char* plain = "Plain"; // sprite sources of the elements' looks
    static constexpr const char* lit = "Lit";
    static constexpr const char* hoverSound = "event:/SFX/Player/Jump"; // in the audio test project
    static constexpr const char* releaseSound = "event:/Music/Stage";   // likewise

    // `settingsFile`: where the player's settings are read and saved; empty keeps them in memory.
    explicit MenuWorld(std::string settingsFile = "", const Content& content = UseTestMenus)
        : world("", std::move(settingsFile))
    {
        world.fakeKeyboardMouse.framebuffer = {800, 800};
        content(world);
        levels = world.registry.GetSystem<LevelManager>();
        audio = world.Systems().GetSystem<Audio>();
        ui = world.Systems().GetSystem<UI_InputSystem>();
        renderer = world.Systems().GetSystem<RendererSystem>();
        window = world.registry.GetSystem<WindowHandler>();
        camera = world.registry.GetSystem<Camera>();
        keyboardMouse = world.registry.GetSystem<PCInputManager>();
        sources = world.registry.GetSystem<SpriteSourceManager>();
        for (const char* name : {plain, lit})
        {
            AddSource(world, name);
        }
        world.Init();
        Frame();
    }

    // One frame of every system; 1/64 s is exact in floats.
    void Frame() { world.registry.StepFrame(now += 1.0 / 64.0); }
    void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            Frame();
        }
    }

    void MoveCursor(Vec2 screen)
    {
        world.fakeKeyboardMouse.cursor = {(screen.x + 1.0) * 400.0, (1.0 - screen.y) * 400.0};
    }
    // The left button goes down or up between two frames, as a window event does; the next frame sees the edge.
    void LeftButton(bool down)
    {
        down ? world.keyboardMouse->Press(GLFW_MOUSE_BUTTON_LEFT)
             : world.keyboardMouse->Release(GLFW_MOUSE_BUTTON_LEFT);
        keyboardMouse->Update(0.0f);
        Frame();
    }
    void Click(Vec2 at)
    {
        MoveCursor(at);
        LeftButton(true);
        LeftButton(false);
    }

    // An element with a transform, a UI mark and a sprite showing `plain`.
    Entity AddElement(Vec2 position, Vec2 scale, std::string name = "Element")
    {
        const Entity entity(std::move(name));
        EntityStore& store = world.Store();
        Transform& transform = *store.AddComponent<Transform>(entity);
        transform.SetTranslation(position);
        transform.SetScale(scale);
        store.AddComponent<UI>(entity);
        store.AddComponent<Sprite>(entity)->spriteSource = sources->Find(plain);
        return entity;
    }
    Entity AddButton(Vec2 position, const std::string& function, Vec2 scale = {0.4f, 0.2f})
    {
        const Entity entity = AddElement(position, scale, "Button");
        Button& button = *world.Store().AddComponent<Button>(entity);
        button.defaultSprite = plain;
        button.hoverSprite = lit;
        button.hoverSound = hoverSound;
        button.releaseSound = releaseSound;
        button.releaseFunction = function;
        return entity;
    }
    Entity AddCheckBox(Vec2 position, CheckBoxType type)
    {
        const Entity entity = AddElement(position, {0.1f, 0.1f}, "CheckBox");
        CheckBox& box = *world.Store().AddComponent<CheckBox>(entity);
        box.type = type;
        box.checkedSprite = "On";
        box.uncheckedSprite = "Off";
        box.hoverCheckedSprite = "OnHover";
        box.hoverUncheckedSprite = "OffHover";
        for (const char* name : {"On", "Off", "OnHover", "OffHover"})
        {
            AddSource(world, name);
        }
        return entity;
    }
    // Track, bar and knob of a slider of `type` whose track is 1 unit wide, centred on `centre`.
    struct SliderParts
    {
        Entity track;
        Entity bar;
        Entity knob;
    };
    SliderParts AddSlider(Vec2 centre, SliderType type)
    {
        SliderParts parts{AddElement(centre, {1.0f, 0.1f}, "Track"), AddElement(centre, {1.0f, 0.1f}, "Bar"),
                          AddElement(centre, {0.04f, 0.12f}, "Knob")};
        EntityStore& store = world.Store();
        store.AddComponent<SliderBackground>(parts.track)->type = type;
        store.AddComponent<SliderBar>(parts.bar)->type = type;
        store.AddComponent<Slider>(parts.knob)->type = type;
        return parts;
    }

    // A one-cell sprite source the elements can show; it has a texture object without pixels, so the loading
    // worker leaves it alone.
    static void AddSource(TestWorld& testWorld, const std::string& name, int rows = 1, int columns = 1)
    {
        SpriteSource& source = testWorld.registry.GetSystem<SpriteSourceManager>()->sources[name];
        source.name = name;
        source.rows = rows;
        source.columns = columns;
        source.texture = std::make_unique<Texture>();
    }

    // Files entities under the level (group 0) or a sublevel (group k >= 1), as loading would.
    void FileUnder(std::size_t group, const Entity& entity)
    {
        if (levels->levelEntities.size() < group + 1)
        {
            levels->levelEntities.resize(group + 1);
        }
        levels->levelEntities[group].push_back(entity);
    }

    std::string Shown(const Entity& entity)
    {
        const Sprite& sprite = *world.Store().GetComponent<Sprite>(entity);
        return sprite.spriteSource ? sprite.spriteSource->name : std::string();
    }
    Vec2 PositionOf(const Entity& entity) { return world.Store().GetComponent<Transform>(entity)->GetTranslation(); }
    Vec2 ScaleOf(const Entity& entity) { return world.Store().GetComponent<Transform>(entity)->GetScale(); }
    std::string Log() const { return world.trace->Text(); }

    TestWorld world;
    LevelManager* levels = nullptr;
    Audio* audio = nullptr;
    UI_InputSystem* ui = nullptr;
    RendererSystem* renderer = nullptr;
    WindowHandler* window = nullptr;
    Camera* camera = nullptr;
    PCInputManager* keyboardMouse = nullptr;
    SpriteSourceManager* sources = nullptr;
    double now = 1.0;
};

} // namespace kesto::test
