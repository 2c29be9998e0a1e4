#pragma once

#include "ecs/ArchetypeFactory.h"
#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "game/Game.h"
#include "input/FakeKeyboardMouse.h"
#include "input/FakePad.h"

#include <string>

namespace kesto::test
{

// The def of every headless test engine: no window or GL, no content, audio mixed only when a test pulls it, and
// keyboard, mouse and pad driven by the test.
inline EngineDef HeadlessDef(FakeKeyboardMouse& keyboardMouse, FakePad& pad)
{
    EngineDef def;
    def.assetRoot.clear();
    def.window.reset();
    def.audioOutput = studio::OutputMode::NoOutput;
    def.keyboardMouse = &keyboardMouse;
    def.pad = &pad;
    return def;
}

// The game's engine built headless: every engine system and component system of the game, in the game's order,
// with a quiet Trace whose log tests read. Systems read no files unless a test points them at a folder before Init.
struct TestWorld
{
    // `settingsFile`: where the player's settings are read and saved; empty keeps them in memory.
    explicit TestWorld(std::string archetypeFolder = "", std::string settingsFile = "")
    {
        fakePad.connected = false;
        EngineDef def = HeadlessDef(fakeKeyboardMouse, fakePad);
        def.settingsFile = std::move(settingsFile);
        RegisterEngineSystems(registry, def);
        trace = registry.GetSystem<Trace>();
        trace->echo = nullptr;
        ecs = registry.GetSystem<ECS>();
        factory = registry.GetSystem<ArchetypeFactory>();
        factory->folder = std::move(archetypeFolder);
    }

    // Initialises every system in the game's order; the factory reads its folder only when one was given.
    void Init() { registry.InitAll(); }

    EntityStore& Store() { return ecs->entityStore; }
    SystemStore& Systems() { return ecs->systemStore; }

    // Declared before the registry: the input systems read them until the registry is gone.
    FakeKeyboardMouse fakeKeyboardMouse;
    FakePad fakePad;

    SystemRegistry registry;
    Trace* trace = nullptr;
    ECS* ecs = nullptr;
    ArchetypeFactory* factory = nullptr;
    FakeKeyboardMouse* keyboardMouse = &fakeKeyboardMouse; // what the world's keyboard/mouse input reads
    FakePad* pad = &fakePad;                               // disconnected unless a test plugs it in
};

} // namespace kesto::test
