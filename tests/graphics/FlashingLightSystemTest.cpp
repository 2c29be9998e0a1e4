#include "graphics/FlashingLightSystem.h"

#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "graphics/FlashingLight.h"
#include "graphics/Sprite.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>
#include <vector>

namespace kesto
{
namespace
{

struct Lamp
{
    explicit Lamp(std::vector<Keyframe> keys)
    {
        world.Init();
        world.Store().AddComponent<Transform>(entity);
        sprite = world.Store().AddComponent<Sprite>(entity);
        light = world.Store().AddComponent<FlashingLight>(entity);
        light->keys = std::move(keys);
        light->length = light->keys.empty() ? 0.0f : light->keys.back().time;
    }

    // Runs the system once with `dt` and returns the sprite's opacity.
    float Run(float dt)
    {
        SystemStore& systems = world.Systems();
        systems.GetSystem<FlashingLightSystem>()->Update(systems.GetEntityList<FlashingLightSystem>(), dt);
        return sprite->alpha;
    }

    test::TestWorld world;
    Entity entity{"Lamp"};
    Sprite* sprite = nullptr;
    FlashingLight* light = nullptr;
};

TEST(FlashingLightSystem, FollowsTheTrackAndWrapsPastItsEnd)
{
    struct Case
    {
        const char* name;
        std::vector<Keyframe> keys;
        std::vector<std::pair<float, float>> steps; // dt, then the expected opacity
    };
    const std::vector<Keyframe> fade{{0.0f, 1.0f, true}, {1.0f, 0.0f, false}};
    const std::vector<Case> cases{
        {"fade", fade, {{0.5f, 0.5f}, {0.5f, 0.0f}, {0.01f, 0.99f}, {0.49f, 0.5f}}},
        {"held", {{0.0f, 0.2f, false}, {0.5f, 0.8f, false}, {1.0f, 0.0f, false}}, {{0.25f, 0.2f}, {0.5f, 0.8f}}},
        {"no keys", {}, {{0.3f, 1.0f}, {5.0f, 1.0f}}},
        {"one key", {{0.0f, 0.4f, true}}, {{0.3f, 0.4f}}},
        {"clamped", {{0.0f, 3.0f, true}, {1.0f, -3.0f, false}}, {{0.1f, 1.0f}, {0.8f, 0.0f}}},
        {"a long step wraps whole loops", fade, {{3.25f, 0.75f}}},
        // No key lies after the time, which stays at 0: dark, and no endless wrapping.
        {"zero length", {{0.0f, 0.3f, true}, {0.0f, 0.9f, false}}, {{0.5f, 0.0f}, {0.5f, 0.0f}}},
    };
    for (const Case& c : cases)
    {
        Lamp lamp(c.keys);
        for (const auto& [dt, alpha] : c.steps)
        {
            EXPECT_NEAR(lamp.Run(dt), alpha, 1e-4f) << c.name << " at " << lamp.light->time;
        }
    }
}

TEST(FlashingLightSystem, KeysOutOfOrderPlayWithoutLoopingForeverAndAreReportedOnce)
{
    Lamp lamp({{0.0f, 1.0f, true}, {2.0f, 0.5f, true}, {1.0f, 0.0f, false}});
    const std::size_t before = lamp.world.trace->ReportCount();
    for (int i = 0; i < 100; ++i)
    {
        const float alpha = lamp.Run(0.37f);
        EXPECT_GE(alpha, 0.0f);
        EXPECT_LE(alpha, 1.0f);
        EXPECT_LE(lamp.light->time, lamp.light->length);
    }
    EXPECT_EQ(lamp.world.trace->ReportCount() - before, 1u);
    EXPECT_NE(lamp.world.trace->Text().find("GRAPHICS: Lamp: flashing light keys are out of time order"),
              std::string::npos);
}

} // namespace
} // namespace kesto
