#include "graphics/RendererSystem.h"

#include "ecs/Transform.h"
#include "graphics/GraphicsWorld.h"
#include "graphics/Sprite.h"

#include <cmath>
#include <gtest/gtest.h>

namespace kesto
{
namespace
{

// The renderer without a GL context: the timed scene state and the draw order, which need no drawing.
class RendererStateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        graphics.Init();
        renderer = &graphics.Renderer();
    }

    void Frame(float dt) { renderer->Update(graphics.world.Systems().GetEntityList<RendererSystem>(), dt); }

    test::GraphicsWorld graphics;
    RendererSystem* renderer = nullptr; // made by the world's Init
};

TEST_F(RendererStateTest, StartsWithTheDocumentedState)
{
    EXPECT_FALSE(renderer->HasGl());
    EXPECT_EQ(renderer->ambient, (Vec3{1.0f, 1.0f, 1.0f}));
    EXPECT_EQ(renderer->depthScaling, 2000.0f);
    EXPECT_EQ(renderer->transition, 0.0f);
    EXPECT_EQ(renderer->clearColor, (Vec3{0.0f, 0.0f, 0.0f}));
}

TEST_F(RendererStateTest, TransitionOfNoDurationCompletesInOneFrame)
{
    renderer->fadingOut = true;
    Frame(0.016f);
    EXPECT_EQ(renderer->transition, 1.0f);
    renderer->fadingOut = false;
    Frame(0.016f);
    EXPECT_EQ(renderer->transition, 0.0f);
}

TEST_F(RendererStateTest, TransitionAdvancesByTheStepOverTheDuration)
{
    renderer->fadingOut = true;
    renderer->transitionDuration = 0.5f;
    Frame(0.125f);
    EXPECT_EQ(renderer->transition, 0.25f);
    Frame(1.0f);
    EXPECT_EQ(renderer->transition, 1.0f);
}

TEST_F(RendererStateTest, SlowMotionTintRisesFasterThanItFalls)
{
    renderer->slowMotionOn = true;
    Frame(0.05f);
    EXPECT_FLOAT_EQ(renderer->timeSlow, 0.5f);
    Frame(0.1f);
    EXPECT_EQ(renderer->timeSlow, 1.0f);
    renderer->slowMotionOn = false;
    Frame(0.1f);
    EXPECT_FLOAT_EQ(renderer->timeSlow, 0.5f);
}

TEST_F(RendererStateTest, CrtAmountReachesOneAndDecaysFasterWhenSwitchedOff)
{
    renderer->crtOn = true;
    Frame(0.5f);
    // 1 - 1000^-0.5 of the way.
    EXPECT_NEAR(renderer->crtAmount, 1.0f - 1.0f / std::sqrt(1000.0f), 1e-5f);
    Frame(1.0f);
    EXPECT_EQ(renderer->crtAmount, 1.0f);
    renderer->crtOn = false;
    Frame(0.25f);
    EXPECT_NEAR(renderer->crtAmount, 1.0f / std::pow(100000.0f, 0.25f), 1e-5f);
    Frame(0.5f);
    EXPECT_EQ(renderer->crtAmount, 0.0f);
}

TEST_F(RendererStateTest, CrtAmountHoldsInAFrameOfZeroLength)
{
    renderer->crtOn = true;
    Frame(0.0f);
    EXPECT_EQ(renderer->crtAmount, 0.0f);
}

TEST_F(RendererStateTest, AmbientTransitionBlendsBySquareRootOfTheFrameShare)
{
    renderer->ambient = {0.0f, 0.0f, 0.0f};
    renderer->ambientTarget = {1.0f, 0.5f, 0.0f};
    renderer->ambientTimeLeft = 1.25f;
    Frame(0.25f);
    // 1 s left after the frame: f = sqrt(0.25 / 1.25).
    const float f = std::sqrt(0.25f / 1.25f);
    EXPECT_NEAR(renderer->ambient.x, f, 1e-6f);
    EXPECT_NEAR(renderer->ambient.y, 0.5f * f, 1e-6f);
    EXPECT_NEAR(renderer->ambientTimeLeft, 1.0f, 1e-6f);
    Frame(2.0f);
    EXPECT_EQ(renderer->ambient, (Vec3{1.0f, 0.5f, 0.0f}));
    EXPECT_EQ(renderer->ambientTimeLeft, 0.0f);
    EXPECT_EQ(renderer->clearColor, (Vec3{0.0f, 0.0f, 0.0f}));
}

TEST_F(RendererStateTest, AmbientTransitionSetsTheClearColourInEditorMode)
{
    graphics.world.Systems().editorMode = true;
    renderer->ambientTarget = {0.5f, 0.5f, 0.5f};
    renderer->ambientTimeLeft = 0.1f;
    Frame(0.25f);
    EXPECT_EQ(renderer->clearColor, (Vec3{0.25f, 0.25f, 0.25f}));
}

TEST_F(RendererStateTest, DebugShapesQueueLinesUntilTheFrameEnds)
{
    renderer->AddDebugLine({0.0f, 0.0f}, {0.0f, 10.0f}, {1.0f, 0.0f, 0.0f}, 2.0f);
    ASSERT_EQ(renderer->QueuedDebugLines().size(), 1u);
    const DebugLine& line = renderer->QueuedDebugLines()[0];
    EXPECT_EQ(line.length, 10.0f);
    EXPECT_NEAR(line.angle, 1.5707963f, 1e-6f);
    EXPECT_EQ(line.width, 2.0f);
    renderer->AddDebugRect({0.0f, 0.0f}, 4.0f, 2.0f, {1.0f, 1.0f, 1.0f});
    renderer->AddDebugCircle({0.0f, 0.0f}, 12, {1.0f, 1.0f, 1.0f}, 5.0f);
    EXPECT_EQ(renderer->QueuedDebugLines().size(), 1u + 4u + 12u);
    EXPECT_NEAR(renderer->QueuedDebugLines()[5].length, 2.0f * 5.0f * std::sin(3.14159265f / 12.0f), 1e-4f);
    Frame(0.016f);
    EXPECT_TRUE(renderer->QueuedDebugLines().empty());
}

TEST_F(RendererStateTest, SortPutsLowerOrdersFirstAndSpritelessEntitiesBeforeAll)
{
    EntityStore& store = graphics.Store();
    const Entity high("High");
    store.AddComponent<Transform>(high);
    store.AddComponent<Sprite>(high)->order = 10;
    const Entity low("Low");
    store.AddComponent<Transform>(low);
    store.AddComponent<Sprite>(low)->order = -3;
    const Entity bare("Bare");
    store.AddComponent<Transform>(bare);
    EntityList& list = graphics.world.Systems().GetEntityList<RendererSystem>();
    graphics.world.ecs->SortRenderList();
    const std::vector<Entity> sorted = list.ToVector();
    ASSERT_EQ(sorted.size(), 3u);
    EXPECT_EQ(sorted[0].id, bare.id);
    EXPECT_EQ(sorted[1].id, low.id);
    EXPECT_EQ(sorted[2].id, high.id);
}

TEST_F(RendererStateTest, EqualOrdersDrawTheFartherDepthFirstThenInListOrder)
{
    EntityStore& store = graphics.Store();
    const auto add = [&store](const char* name, float depth)
    {
        const Entity entity(name);
        store.AddComponent<Transform>(entity);
        store.AddComponent<Sprite>(entity)->depth = depth;
        return entity;
    };
    const Entity nearFirst = add("NearFirst", 0.0f);
    const Entity far = add("Far", 0.5f);
    const Entity nearSecond = add("NearSecond", 0.0f);
    const Entity front = add("Front", -0.5f);
    graphics.world.ecs->SortRenderList();
    const std::vector<Entity> sorted = graphics.world.Systems().GetEntityList<RendererSystem>().ToVector();
    ASSERT_EQ(sorted.size(), 4u);
    EXPECT_EQ(sorted[0].id, far.id);
    EXPECT_EQ(sorted[1].id, nearFirst.id);
    EXPECT_EQ(sorted[2].id, nearSecond.id);
    EXPECT_EQ(sorted[3].id, front.id);
}

TEST_F(RendererStateTest, ScreenSpaceDividesTheHorizontalTermsByTheAspect)
{
    // The unused window handler stands for an 800 x 800 window; make it wide.
    graphics.world.registry.GetSystem<WindowHandler>()->width = 1600;
    Matrix3 model = Matrix3::Translation({1.0f, 0.5f}) * Matrix3::Scale({0.4f, 0.2f});
    model.At(0, 1) = 0.3f;
    const Matrix3 screen = renderer->ScreenSpaceModel(model);
    EXPECT_EQ(screen.At(0, 0), 0.2f);
    EXPECT_EQ(screen.At(0, 1), 0.15f);
    EXPECT_EQ(screen.At(0, 2), 0.5f);
    EXPECT_EQ(screen.At(1, 1), 0.2f);
    EXPECT_EQ(screen.At(1, 2), 0.5f);
}

} // namespace
} // namespace kesto
