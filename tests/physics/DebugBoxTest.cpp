#include "physics/DebugBox.h"

#include "PhysicsWorld.h"
#include "gameplay/BehaviorFlying.h"
#include "gameplay/BehaviorFlyingSystem.h"
#include "graphics/RendererSystem.h"

#include <gtest/gtest.h>
#include <memory>

namespace kesto
{
namespace
{

constexpr Vec3 green{0.0f, 1.0f, 0.0f};

// A system whose entities hunt flying enemies, as the player's do.
class Hunter : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
    std::vector<ESystem*> CollisionTargets() override
    {
        return {registry->GetSystem<ECS>()->systemStore.GetSystem<BehaviorFlyingSystem>()};
    }
};

class ColliderOutlines : public ::testing::Test
{
protected:
    std::vector<DebugBox> Boxes() { return ColliderDebugBoxes(world.Store(), world.Systems()); }

    test::PhysicsWorld world;
};

TEST_F(ColliderOutlines, OneGreenBoxPerColliderAroundPositionPlusOffset)
{
    const Entity solid = world.AddSolid({100.0f, 50.0f}, {40.0f, 20.0f});
    world.Get<Collider>(solid).SetScale({0.5f, 2.0f});
    world.Get<Collider>(solid).SetOffset({3.0f, -4.0f});
    world.AddActor({0.0f, 0.0f}, {10.0f, 10.0f});

    const std::vector<DebugBox> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    // Actor comes before Solid in the update order.
    EXPECT_EQ(boxes[0].centre, (Vec2{0.0f, 0.0f}));
    EXPECT_EQ(boxes[1].centre, (Vec2{103.0f, 46.0f}));
    EXPECT_EQ(boxes[1].size, (Vec2{20.0f, 40.0f}));
    for (const DebugBox& box : boxes)
    {
        EXPECT_EQ(box.colour, green);
        EXPECT_EQ(box.width, 2.0f);
    }
}

TEST_F(ColliderOutlines, FollowTheTransformWithoutARefresh)
{
    const Entity solid = world.AddSolid({0.0f, 0.0f}, {10.0f, 10.0f});
    world.Get<Transform>(solid).SetTranslation({7.0f, 8.0f});
    world.Get<Transform>(solid).SetScale({30.0f, 30.0f});
    const std::vector<DebugBox> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].centre, (Vec2{7.0f, 8.0f}));
    EXPECT_EQ(boxes[0].size, (Vec2{30.0f, 30.0f}));
}

TEST_F(ColliderOutlines, DisabledMoversAreDrawnButDisabledTargetsAreNot)
{
    using T = ComponentType;
    world.Systems().AddSystem(std::make_unique<Hunter>(), MakeSignature({T::Rotator, T::Collider}), {}, true, false);
    const Entity actor = world.AddActor({0.0f, 0.0f}, {10.0f, 10.0f});
    world.Get<Collider>(actor).disabled = true;
    // Flying enemies sit in a system that does not require a collider; they are drawn only as targets.
    const Entity flyer = world.AddActor({50.0f, 0.0f}, {10.0f, 10.0f}, "flyer");
    world.Store().AddComponent<BehaviorFlying>(flyer);
    world.Get<Collider>(flyer).disabled = true;

    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].centre, (Vec2{0.0f, 0.0f}));
    world.Get<Collider>(flyer).disabled = false;
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[1].centre, (Vec2{50.0f, 0.0f}));
}

TEST_F(ColliderOutlines, EntitiesWithoutTransformAreSkipped)
{
    const Entity loose("loose");
    world.Store().AddComponent<Collider>(loose);
    world.Store().AddComponent<Rigidbody>(loose);
    EXPECT_TRUE(Boxes().empty());
}

TEST(VelocityLines, RunFromThePositionAlongAFifthOfTheVelocityInMagenta)
{
    test::PhysicsWorld world;
    const Entity actor = world.AddActor({10.0f, 20.0f}, {10.0f, 10.0f});
    world.Get<Rigidbody>(actor).velocity = {500.0f, -100.0f};
    const std::vector<DebugSegment> lines = VelocityDebugLines(world.Systems().GetEntityList<Physics>(), world.Store());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].from, (Vec2{10.0f, 20.0f}));
    EXPECT_FLOAT_EQ(lines[0].to.x, 110.0f);
    EXPECT_FLOAT_EQ(lines[0].to.y, 0.0f);
    EXPECT_EQ(lines[0].colour, (Vec3{1.0f, 0.0f, 1.0f}));
    EXPECT_EQ(lines[0].width, 2.0f);
}

} // namespace
} // namespace kesto

namespace kesto
{
namespace
{

TEST(CollisionDebugDrawing, TheOverlayGetsOutlinesAndVelocitiesOnlyWhileDebugDrawingIsOn)
{
    test::PhysicsWorld world;
    world.AddSolid({0.0f, 0.0f}, {100.0f, 20.0f});
    const Entity actor = world.AddActor({0.0f, 100.0f}, {20.0f, 20.0f});
    world.Get<Rigidbody>(actor).velocity = {0.0f, -50.0f};
    const RendererSystem& renderer = *world.Systems().GetSystem<RendererSystem>();
    world.Collide();
    EXPECT_TRUE(renderer.QueuedDebugLines().empty());
    world.Systems().debugDraw = true;
    world.Collide();
    // Two rectangles of four sides, and one velocity line.
    EXPECT_EQ(renderer.QueuedDebugLines().size(), 9u);
}

} // namespace
} // namespace kesto
