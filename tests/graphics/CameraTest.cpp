#include "graphics/Camera.h"

#include "ecs/Transform.h"
#include "graphics/GraphicsWorld.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace kesto
{
namespace
{

class CameraTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        graphics.Init();
        camera.SetScreenSize(1920.0f, 1080.0f);
    }

    test::GraphicsWorld graphics;
    Camera& camera = *graphics.camera;
};

TEST_F(CameraTest, StartsAtTheOriginWithTheDefaultZoomAndTheWindowSize)
{
    Camera fresh;
    fresh.registry = &graphics.world.registry;
    fresh.Init();
    EXPECT_EQ(fresh.GetPosition(), (Vec2{0.0f, 0.0f}));
    EXPECT_EQ(fresh.GetZoom(), 1600.0f);
    EXPECT_EQ(fresh.GetScreenSize(), (Vec2{800.0f, 800.0f}));
    EXPECT_TRUE(fresh.unbounded);
}

TEST_F(CameraTest, FullHdWindowShowsZoomTimesAspectAcross)
{
    const Matrix3& projView = camera.GetProjView();
    const Vec2 corner = projView.TransformPoint({2844.4444f * 0.5f, 800.0f});
    EXPECT_NEAR(corner.x, 1.0f, 1e-5f);
    EXPECT_NEAR(corner.y, 1.0f, 1e-5f);
    const Vec2 inside = camera.ScreenToWorld({0.0f, 0.0f});
    EXPECT_NEAR(inside.x, -1422.2222f, 0.01f);
    EXPECT_NEAR(inside.y, 800.0f, 0.01f);
}

TEST_F(CameraTest, ViewFollowsPositionAndRotation)
{
    camera.SetPosition({100.0f, -50.0f});
    EXPECT_EQ(camera.GetProjView().TransformPoint({100.0f, -50.0f}), (Vec2{0.0f, 0.0f}));
    camera.SetRotation(90.0f);
    // Turned a quarter, a point above the centre appears to the right of it.
    const Vec2 above = camera.GetProjView().TransformPoint({100.0f, 750.0f});
    EXPECT_NEAR(above.x, 800.0f * 2.0f / 2844.4444f, 1e-4f);
    EXPECT_NEAR(above.y, 0.0f, 1e-4f);
}

TEST_F(CameraTest, ScreenAndWorldConvertBothWays)
{
    camera.SetPosition({250.0f, 40.0f});
    camera.SetZoom(800.0f);
    EXPECT_NEAR(camera.ScreenToWorld({960.0f, 540.0f}).x, 250.0f, 1e-3f);
    const Vec2 world{400.0f, -100.0f};
    const Vec2 back = camera.ScreenToWorld(camera.WorldToScreen(world));
    EXPECT_NEAR(back.x, world.x, 1e-2f);
    EXPECT_NEAR(back.y, world.y, 1e-2f);
    // y grows downwards on the screen.
    EXPECT_GT(camera.WorldToScreen({250.0f, 0.0f}).y, 540.0f);
}

TEST_F(CameraTest, ZoomIsClampedWhereverItIsSet)
{
    camera.SetZoom(0.0f);
    EXPECT_EQ(camera.GetZoom(), Camera::minZoom);
    camera.SetZoom(-5.0f);
    EXPECT_EQ(camera.GetZoom(), Camera::minZoom);
    camera.SetZoom(1e20f);
    EXPECT_EQ(camera.GetZoom(), Camera::maxZoom);
}

TEST_F(CameraTest, ClampTestsTheMinimumFirstWhenTheViewIsWiderThanTheBounds)
{
    camera.SetBoundsX({0.0f, 1000.0f});
    EXPECT_FALSE(camera.unbounded);
    const Vec2 clamped = camera.ClampToBounds({500.0f, 0.0f});
    EXPECT_NEAR(clamped.x, 1422.2222f, 0.01f);
    EXPECT_EQ(clamped.y, 0.0f);
}

TEST_F(CameraTest, ClampKeepsTheViewInsideBothEdges)
{
    camera.SetBounds({-5000.0f, 5000.0f}, {-1000.0f, 3000.0f});
    EXPECT_NEAR(camera.ClampToBounds({4800.0f, 0.0f}).x, 5000.0f - 1422.2222f, 0.01f);
    EXPECT_NEAR(camera.ClampToBounds({-4800.0f, 0.0f}).x, -5000.0f + 1422.2222f, 0.01f);
    EXPECT_EQ(camera.ClampToBounds({0.0f, -900.0f}).y, -200.0f);
    EXPECT_EQ(camera.ClampToBounds({0.0f, 2900.0f}).y, 2200.0f);
    EXPECT_EQ(camera.ClampToBounds({10.0f, 20.0f}), (Vec2{10.0f, 20.0f}));
}

TEST_F(CameraTest, ReversedBoundsBecomeTheirMidpoint)
{
    camera.SetBoundsX({500.0f, 100.0f});
    EXPECT_EQ(camera.bounds.minX, 300.0f);
    EXPECT_EQ(camera.bounds.maxX, 300.0f);
    camera.SetBoundsY({10.0f, -10.0f});
    EXPECT_EQ(camera.bounds.minY, 0.0f);
    EXPECT_EQ(camera.bounds.maxY, 0.0f);
}

TEST_F(CameraTest, UnboundedOrEditorCameraIsNeverClamped)
{
    camera.SetBoundsX({0.0f, 10.0f});
    graphics.world.Systems().editorMode = true;
    EXPECT_EQ(camera.ClampToBounds({-900.0f, 0.0f}).x, -900.0f);
    graphics.world.Systems().editorMode = false;
    camera.ClearBounds();
    EXPECT_TRUE(camera.unbounded);
    EXPECT_EQ(camera.ClampToBounds({-900.0f, 0.0f}).x, -900.0f);
}

TEST_F(CameraTest, ShakeMovesEachAxisByMinusZeroOrPlusTheMagnitude)
{
    camera.Shake(10.0f, 0.1f, -0.05f, 0.1f, 0.05f);
    std::set<int> stepsX;
    std::set<int> stepsY;
    for (int i = 0; i < 60; ++i)
    {
        const Vec2 before = camera.GetPosition();
        camera.Update(0.01f);
        const Vec2 moved = camera.GetPosition() - before;
        // 0.1 of the half width and 0.05 of the half height, in world units.
        const float unitX = 0.1f * 2844.4444f * 0.5f;
        const float unitY = 0.05f * 1600.0f * 0.5f;
        const float stepX = moved.x / unitX;
        const float stepY = moved.y / unitY;
        ASSERT_NEAR(stepX, std::round(stepX), 1e-3f);
        ASSERT_NEAR(stepY, std::round(stepY), 1e-3f);
        stepsX.insert(static_cast<int>(std::round(stepX)));
        stepsY.insert(static_cast<int>(std::round(stepY)));
    }
    EXPECT_EQ(stepsX, (std::set<int>{-1, 0, 1}));
    EXPECT_EQ(stepsY, (std::set<int>{-1, 0, 1}));
}

TEST_F(CameraTest, ShakeEndsAfterItsDurationAndMagnitudeFadesToTheEnd)
{
    camera.Shake(0.5f, 1.0f, 1.0f, 0.0f, 0.0f);
    EXPECT_TRUE(camera.IsShaking());
    camera.Update(0.25f);
    camera.Update(0.25f);
    EXPECT_FALSE(camera.IsShaking());
    const Vec2 settled = camera.GetPosition();
    camera.Update(0.1f);
    EXPECT_EQ(camera.GetPosition(), settled);
}

TEST_F(CameraTest, GlideMovesLinearlyAndStopsAtTheTarget)
{
    camera.Glide({1000.0f, -200.0f}, 2.0f);
    camera.Update(0.5f);
    EXPECT_NEAR(camera.GetPosition().x, 250.0f, 1e-3f);
    EXPECT_NEAR(camera.GetPosition().y, -50.0f, 1e-3f);
    camera.Update(1.5f);
    EXPECT_EQ(camera.GetPosition(), (Vec2{1000.0f, -200.0f}));
    EXPECT_FALSE(camera.IsGliding());
}

TEST_F(CameraTest, ZoomGlideReachesItsEnd)
{
    camera.ZoomGlide(800.0f, 1.0f);
    camera.Update(0.5f);
    EXPECT_NEAR(camera.GetZoom(), 1200.0f, 1e-2f);
    camera.Update(0.5f);
    EXPECT_EQ(camera.GetZoom(), 800.0f);
}

TEST_F(CameraTest, FollowTracksTheTransformUntilItIsGone)
{
    const Entity target("Target");
    auto* transform = graphics.Store().AddComponent<Transform>(target);
    transform->SetTranslation({300.0f, 100.0f});
    camera.Follow(target, {0.0f, 50.0f});
    camera.Update(0.016f);
    EXPECT_EQ(camera.GetPosition(), (Vec2{300.0f, 150.0f}));
    graphics.Store().DestroyEntity(target);
    camera.Update(0.016f);
    EXPECT_FALSE(camera.IsFollowing());
    EXPECT_EQ(camera.GetPosition(), (Vec2{300.0f, 150.0f}));
}

TEST_F(CameraTest, GlideWinsOverFollow)
{
    const Entity target("Target");
    graphics.Store().AddComponent<Transform>(target)->SetTranslation({300.0f, 100.0f});
    camera.Follow(target, {0.0f, 0.0f});
    camera.Glide({-100.0f, 0.0f}, 1.0f);
    camera.Update(0.5f);
    EXPECT_EQ(camera.GetPosition(), (Vec2{-50.0f, 0.0f}));
    // The frame in which the glide ends already follows.
    camera.Update(0.5f);
    EXPECT_EQ(camera.GetPosition(), (Vec2{300.0f, 100.0f}));
}

TEST_F(CameraTest, ZoomAtKeepsThePointUnderTheCursor)
{
    const Vec2 cursor{1500.0f, 200.0f};
    const Vec2 before = camera.ScreenToWorld(cursor);
    camera.ZoomAt(400.0f, cursor);
    EXPECT_EQ(camera.GetZoom(), 1200.0f);
    const Vec2 after = camera.ScreenToWorld(cursor);
    EXPECT_NEAR(after.x, before.x, 1e-2f);
    EXPECT_NEAR(after.y, before.y, 1e-2f);
}

TEST_F(CameraTest, NothingHappensInAFrameOfZeroLength)
{
    camera.Glide({1000.0f, 0.0f}, 1.0f);
    camera.Update(0.0f);
    EXPECT_EQ(camera.time, 0.0f);
    EXPECT_EQ(camera.GetPosition(), (Vec2{0.0f, 0.0f}));
}

TEST_F(CameraTest, ScreenSizeOfZeroHeightKeepsTheAspect)
{
    camera.SetScreenSize(640.0f, 0.0f);
    EXPECT_NEAR(camera.GetAspect(), 1920.0f / 1080.0f, 1e-6f);
}

} // namespace
} // namespace kesto
