#pragma once

#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "game/Game.h"
#include "input/FakeKeyboardMouse.h"
#include "input/FakePad.h"
#include "input/InputTap.h"

#include <functional>
#include <memory>
#include <string>

namespace kesto::test
{

// The game headless on its own content (from the repository's Assets/), starting in `firstLevel`, its fake
// keyboard, mouse and pad read through a replay tap that `makeTap` builds over the world's registry (directly when
// it is empty).
class ReplayWorld
{
public:
    using TapMaker = std::function<std::unique_ptr<InputTap>(SystemRegistry&)>;

    ReplayWorld(const std::string& firstLevel, const TapMaker& makeTap)
    {
        pad.connected = false;
        tap = makeTap ? makeTap(registry) : nullptr;
        EngineDef def = HeadlessGameDef(KESTO_TEST_DATA "/../../Assets/", keyboardMouse, pad);
        def.firstLevel = firstLevel;
        def.inputTap = tap.get();
        RegisterEngineSystems(registry, def);
        trace = registry.GetSystem<Trace>();
        trace->echo = nullptr;
        registry.InitAll();
    }
    ~ReplayWorld() { registry.DestroyAll(); }
    ReplayWorld(const ReplayWorld&) = delete;
    ReplayWorld& operator=(const ReplayWorld&) = delete;

    Vec2 PlayerPosition() const
    {
        const EntityStore& store = registry.GetSystem<ECS>()->entityStore;
        for (const Entity& entity : store.GetEntities({ComponentType::BehaviorPlayer}))
        {
            return store.GetComponent<Transform>(entity)->GetTranslation();
        }
        return {-1e9f, -1e9f};
    }

    template <typename Tap> Tap& TapAs() { return static_cast<Tap&>(*tap); }

    FakeKeyboardMouse keyboardMouse;
    FakePad pad;
    std::unique_ptr<InputTap> tap; // outlives the systems that read through it
    SystemRegistry registry;
    Trace* trace = nullptr;
};

} // namespace kesto::test
