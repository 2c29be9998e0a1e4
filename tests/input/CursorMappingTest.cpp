#include "input/CursorMapping.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

constexpr float aspect = 1920.0f / 1080.0f;

TEST(CursorMapping, ScreenUnitsSpanAspectAcrossAndOneUp)
{
    const Vec2 topLeft = PixelsToScreenUnits(0.0, 0.0, 1920, 1080);
    EXPECT_FLOAT_EQ(topLeft.x, -aspect);
    EXPECT_FLOAT_EQ(topLeft.y, 1.0f);
    const Vec2 bottomRight = PixelsToScreenUnits(1920.0, 1080.0, 1920, 1080);
    EXPECT_FLOAT_EQ(bottomRight.x, aspect);
    EXPECT_FLOAT_EQ(bottomRight.y, -1.0f);
    const Vec2 centre = PixelsToScreenUnits(960.0, 540.0, 1920, 1080);
    EXPECT_FLOAT_EQ(centre.x, 0.0f);
    EXPECT_FLOAT_EQ(centre.y, 0.0f);
}

TEST(CursorMapping, ScreenUnitsKeepSubPixelPositions)
{
    const Vec2 point = PixelsToScreenUnits(480.5, 270.25, 1920, 1080);
    EXPECT_FLOAT_EQ(point.x, static_cast<float>((480.5 / 1920.0 * 2.0 - 1.0) * (1920.0 / 1080.0)));
    EXPECT_FLOAT_EQ(point.y, static_cast<float>(1.0 - 2.0 * 270.25 / 1080.0));
}

TEST(CursorMapping, ZeroSizedFramebufferGivesTheCentre)
{
    EXPECT_EQ(PixelsToScreenUnits(300.0, 200.0, 0, 0), Vec2{});
    EXPECT_EQ(PixelsToScreenUnits(300.0, 200.0, 800, 0), Vec2{});
}

// The camera's world-to-screen matrix: scale(2 / (zoom * aspect), 2 / zoom) after moving `position` to the origin.
Matrix3 CameraProjView(Vec2 position, float zoom, float viewAspect)
{
    return Matrix3::Scale({2.0f / (zoom * viewAspect), 2.0f / zoom}) * Matrix3::Translation(-position);
}

TEST(CursorMapping, WorldCentreIsTheCameraPosition)
{
    const Matrix3 projView = CameraProjView({100.0f, -50.0f}, 1600.0f, aspect);
    const Vec2 world = PixelsToWorld(960.0, 540.0, projView, 1920.0f, 1080.0f);
    EXPECT_NEAR(world.x, 100.0f, 1e-3f);
    EXPECT_NEAR(world.y, -50.0f, 1e-3f);
}

TEST(CursorMapping, WorldCornersAreHalfTheViewAway)
{
    const Matrix3 projView = CameraProjView({100.0f, -50.0f}, 1600.0f, aspect);
    const Vec2 topRight = PixelsToWorld(1920.0, 0.0, projView, 1920.0f, 1080.0f);
    EXPECT_NEAR(topRight.x, 100.0f + 1600.0f * aspect / 2.0f, 1e-2f);
    EXPECT_NEAR(topRight.y, -50.0f + 800.0f, 1e-2f);
    const Vec2 bottomLeft = PixelsToWorld(0.0, 1080.0, projView, 1920.0f, 1080.0f);
    EXPECT_NEAR(bottomLeft.x, 100.0f - 1600.0f * aspect / 2.0f, 1e-2f);
    EXPECT_NEAR(bottomLeft.y, -50.0f - 800.0f, 1e-2f);
}

TEST(CursorMapping, WorldFollowsACameraRotation)
{
    // A camera turned 90 degrees: screen right is world up.
    const Matrix3 projView = Matrix3::Scale({2.0f / 200.0f, 2.0f / 100.0f}) * Matrix3::Rotation(-1.5707964f);
    const Vec2 centre = PixelsToWorld(100.0, 50.0, projView, 200.0f, 100.0f);
    EXPECT_NEAR(centre.x, 0.0f, 1e-3f);
    EXPECT_NEAR(centre.y, 0.0f, 1e-3f);
    const Vec2 rightEdge = PixelsToWorld(200.0, 50.0, projView, 200.0f, 100.0f);
    EXPECT_NEAR(rightEdge.x, 0.0f, 1e-3f);
    EXPECT_NEAR(rightEdge.y, 100.0f, 1e-3f);
}

TEST(CursorMapping, WorldWithZeroScreenSizeGivesTheViewCentre)
{
    const Matrix3 projView = CameraProjView({7.0f, 9.0f}, 1600.0f, aspect);
    const Vec2 world = PixelsToWorld(500.0, 500.0, projView, 0.0f, 0.0f);
    EXPECT_NEAR(world.x, 7.0f, 1e-3f);
    EXPECT_NEAR(world.y, 9.0f, 1e-3f);
}

} // namespace
} // namespace kesto
