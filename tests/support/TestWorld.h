#pragma once

#include "audio/Audio.h"
#include "ecs/ArchetypeFactory.h"
#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "input/ControllerInputManager.h"
#include "input/FakeKeyboardMouse.h"
#include "input/FakePad.h"
#include "input/MasterInputManager.h"
#include "input/PCInputManager.h"

#include <memory>
#include <string>

namespace kesto::test
{

// A registry holding just the systems the entity world needs, with a quiet Trace whose log tests can read.
struct TestWorld
{
    explicit TestWorld(std::string archetypeFolder = "")
    {
        auto ownedTrace = std::make_unique<Trace>();
        ownedTrace->echo = nullptr;
        trace = ownedTrace.get();
        registry.Register(std::move(ownedTrace));
        registry.Register(std::make_unique<ECS>());
        auto ownedFactory = std::make_unique<ArchetypeFactory>();
        factory = ownedFactory.get();
        factory->folder = std::move(archetypeFolder);
        registry.Register(std::move(ownedFactory));
        auto ownedKeyboardMouse = std::make_unique<FakeKeyboardMouse>();
        keyboardMouse = ownedKeyboardMouse.get();
        registry.Register(std::make_unique<PCInputManager>(std::move(ownedKeyboardMouse)));
        // Component systems bind their actions at Init, so the input managers must exist (no pad, no file).
        auto ownedPad = std::make_unique<FakePad>();
        pad = ownedPad.get();
        pad->connected = false;
        registry.Register(std::make_unique<ControllerInputManager>(std::move(ownedPad)));
        auto bindings = std::make_unique<MasterInputManager>();
        bindings->bindingFolder = "no/such/folder/";
        registry.Register(std::move(bindings));
        ecs = registry.GetSystem<ECS>();
    }

    // Initialises every system; the factory reads its folder only when one was given.
    void Init()
    {
        // Tests never open a sound device: the world's audio mixes into nothing.
        auto audio = std::make_unique<Audio>();
        audio->output = studio::OutputMode::NoOutput;
        ecs->systemStore.registry = &registry;
        ecs->systemStore.AddSystem(std::move(audio), MakeSignature({ComponentType::SoundEmitter}), {}, true, true);
        if (factory->folder.empty())
        {
            ecs->Init();
            return;
        }
        registry.InitAll();
    }

    EntityStore& Store() { return ecs->entityStore; }
    SystemStore& Systems() { return ecs->systemStore; }

    SystemRegistry registry;
    Trace* trace = nullptr;
    ECS* ecs = nullptr;
    ArchetypeFactory* factory = nullptr;
    FakeKeyboardMouse* keyboardMouse = nullptr; // what the world's keyboard/mouse input reads
    FakePad* pad = nullptr;                     // disconnected unless a test plugs it in
};

} // namespace kesto::test
