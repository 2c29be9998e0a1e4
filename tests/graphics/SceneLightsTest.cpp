#include "graphics/SceneLights.h"

#include "ecs/Transform.h"
#include "engine/Trace.h"
#include "graphics/GraphicsWorld.h"
#include "graphics/LightSource.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace kesto
{
namespace
{

TEST(SceneLights, AttenuationFollowsTheRadius)
{
    LightSource light;
    light.radius = 1000.0f;
    const LightRecord record = SceneLights::MakeRecord(light, {0.0f, 0.0f}, {0.0f, 0.0f}, 2000.0f);
    EXPECT_EQ(record.constant, 1.0f);
    EXPECT_FLOAT_EQ(record.linear, 0.0045f);
    EXPECT_FLOAT_EQ(record.quadratic, 0.00008f);
    // At the radius the light is 1/85.5 of full.
    const float d = 1000.0f;
    EXPECT_NEAR(1.0f / (record.constant + record.linear * d + record.quadratic * d * d), 1.0f / 85.5f, 1e-6f);
}

TEST(SceneLights, DepthGivesTheLightItsDistance)
{
    LightSource light;
    light.depth = 0.5f;
    const LightRecord record = SceneLights::MakeRecord(light, {10.0f, 20.0f}, {100.0f, 100.0f}, 2000.0f);
    EXPECT_EQ(record.position, (Vec3{10.0f, 20.0f, 2000.0f}));
}

TEST(SceneLights, DepthPositionedLightsMoveWithTheParallax)
{
    LightSource light;
    light.depth = 0.5f;
    light.depthPositioned = true;
    const LightRecord record = SceneLights::MakeRecord(light, {10.0f, 20.0f}, {110.0f, -80.0f}, 2000.0f);
    EXPECT_EQ(record.position, (Vec3{60.0f, -30.0f, 2000.0f}));
}

TEST(SceneLights, ColourIsScaledByIntensityAndTheAxisNormalised)
{
    LightSource light;
    light.color = {1.0f, 0.5f, 0.25f};
    light.intensity = 2.0f;
    light.dir = {0.0f, -3.0f, 0.0f};
    light.angle = 0.5f;
    light.bidirectional = true;
    light.edgeSmooth = 0.25f;
    const LightRecord record = SceneLights::MakeRecord(light, {0.0f, 0.0f}, {0.0f, 0.0f}, 1000.0f);
    EXPECT_EQ(record.color, (Vec3{2.0f, 1.0f, 0.5f}));
    EXPECT_EQ(record.dir, (Vec3{0.0f, -1.0f, 0.0f}));
    EXPECT_EQ(record.angle, 0.5f);
    EXPECT_TRUE(record.bidirectional);
    EXPECT_EQ(record.edgeSmooth, 0.25f);
}

TEST(SceneLights, ParallaxMovesAtTheDepthsShareOfTheCamera)
{
    EXPECT_EQ(ParallaxPosition({400.0f, 0.0f}, {200.0f, 0.0f}, 0.5f), (Vec2{300.0f, 0.0f}));
    EXPECT_EQ(ParallaxPosition({400.0f, 0.0f}, {200.0f, 0.0f}, 0.0f), (Vec2{400.0f, 0.0f}));
    // Depth 1 stays fixed on screen; negative depths move faster than the world.
    EXPECT_EQ(ParallaxPosition({400.0f, 0.0f}, {200.0f, 0.0f}, 1.0f), (Vec2{200.0f, 0.0f}));
    EXPECT_EQ(ParallaxPosition({400.0f, 0.0f}, {200.0f, 0.0f}, -1.0f), (Vec2{600.0f, 0.0f}));
}

TEST(SceneLights, GatherTakesEveryLightWithATransform)
{
    test::GraphicsWorld graphics;
    graphics.Init();
    EntityStore& store = graphics.Store();
    const Entity lamp("Lamp");
    store.AddComponent<Transform>(lamp)->SetTranslation({5.0f, 6.0f});
    store.AddComponent<LightSource>(lamp)->intensity = 3.0f;
    const Entity loose("Loose");
    store.AddComponent<LightSource>(loose);
    SceneLights lights;
    lights.Gather(store, {0.0f, 0.0f}, 1000.0f);
    ASSERT_EQ(lights.records.size(), 1u);
    EXPECT_EQ(lights.records[0].position, (Vec3{5.0f, 6.0f, 0.0f}));
    EXPECT_EQ(lights.records[0].color, (Vec3{3.0f, 3.0f, 3.0f}));
    lights.Gather(store, {0.0f, 0.0f}, 1000.0f);
    EXPECT_EQ(lights.records.size(), 1u);
}

TEST(SceneLights, LightsThatWouldPutNanIntoThePictureAreUnusable)
{
    const auto fault = [](float radius, float intensity)
    {
        LightSource light;
        light.radius = radius;
        light.intensity = intensity;
        return SceneLights::Unusable(SceneLights::MakeRecord(light, {0.0f, 0.0f}, {0.0f, 0.0f}, 2000.0f));
    };
    EXPECT_FALSE(fault(1000.0f, 1.0f));
    EXPECT_FALSE(fault(0.5f, 1.0f));
    for (float radius : {0.0f, -5.0f, 1e-30f, std::numeric_limits<float>::infinity(), std::nanf("")})
    {
        ASSERT_TRUE(fault(radius, 1.0f)) << radius;
        EXPECT_NE(fault(radius, 1.0f)->find("radius"), std::string::npos) << radius;
    }
    ASSERT_TRUE(fault(1000.0f, std::numeric_limits<float>::infinity()));
    EXPECT_NE(fault(1000.0f, std::nanf(""))->find("not a finite number"), std::string::npos);
}

TEST(SceneLights, ASubmissionGetsTheLightsWhoseRadiusReachesItsBoxStrongestFirstWhenTooMany)
{
    SceneLights lights;
    const auto add = [&lights](Vec3 position, float radius, float brightness)
    {
        LightRecord record;
        record.position = position;
        record.radius = radius;
        record.color = {brightness, brightness, brightness};
        record.linear = 4.5f / radius;
        record.quadratic = 80.0f / (radius * radius);
        lights.records.push_back(record);
    };
    add({0.0f, 0.0f, 0.0f}, 50.0f, 1.0f);    // 1: inside the box
    add({200.0f, 0.0f, 0.0f}, 150.0f, 1.0f); // 2: 100 from the box's right edge
    add({200.0f, 0.0f, 0.0f}, 99.0f, 1.0f);  // 3: stops short of it
    add({0.0f, 0.0f, 400.0f}, 300.0f, 1.0f); // 4: deep behind the sprite's plane
    add({0.0f, 0.0f, 400.0f}, 401.0f, 1.0f); // 5: deep, but reaching it
    LightSlots slots{};
    EXPECT_EQ(lights.Reaching({-100.0f, -100.0f}, {100.0f, 100.0f}, 0.0f, slots), 3);
    EXPECT_EQ(slots, (LightSlots{1, 2, 5, 0, 0, 0, 0, 0}));
    // A sprite at the light's depth is reached by it and not by the ones in the front plane.
    EXPECT_EQ(lights.Reaching({-100.0f, -100.0f}, {100.0f, 100.0f}, 400.0f, slots), 2);
    EXPECT_EQ(slots, (LightSlots{4, 5, 0, 0, 0, 0, 0, 0}));

    // Ten lights on one box: the eight brightest stay, in their upload order.
    lights.records.clear();
    for (int i = 0; i < 10; ++i)
    {
        add({0.0f, 0.0f, 0.0f}, 1000.0f, i == 3 || i == 6 ? 0.1f : 1.0f);
    }
    EXPECT_EQ(lights.Reaching({-100.0f, -100.0f}, {100.0f, 100.0f}, 0.0f, slots), 8);
    EXPECT_EQ(slots, (LightSlots{1, 2, 3, 5, 6, 8, 9, 10}));
}

TEST(SceneLights, PastTheFramesCapacityTheLightsFarthestFromTheCameraAreLeftOutAndReportedOnce)
{
    test::GraphicsWorld graphics;
    graphics.Init();
    EntityStore& store = graphics.Store();
    const std::size_t extra = 6;
    for (std::size_t i = 0; i < SceneLights::capacity + extra; ++i)
    {
        const Entity lamp("Lamp");
        // Farther from the camera with every lamp; radius 10 each.
        store.AddComponent<Transform>(lamp)->SetTranslation({100.0f * static_cast<float>(i), 0.0f});
        store.AddComponent<LightSource>(lamp)->radius = 10.0f;
    }
    Trace& trace = *graphics.world.registry.GetSystem<Trace>();
    SceneLights lights;
    lights.trace = &trace;
    lights.BeginLevel("Lamps");
    const std::size_t before = trace.Text().size();
    lights.Gather(store, {0.0f, 0.0f}, 1000.0f);
    lights.Gather(store, {0.0f, 0.0f}, 1000.0f);
    ASSERT_EQ(lights.records.size(), SceneLights::capacity);
    EXPECT_EQ(lights.records.back().position.x, 100.0f * static_cast<float>(SceneLights::capacity - 1));
    EXPECT_EQ(trace.Text().substr(before),
              "GRAPHICS: Lamps: 260 lights at once; the 6 farthest from the camera are left out\n");
}

} // namespace
} // namespace kesto
