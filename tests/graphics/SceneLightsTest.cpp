#include "graphics/SceneLights.h"

#include "ecs/Transform.h"
#include "graphics/GraphicsWorld.h"
#include "graphics/LightSource.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace kesto
