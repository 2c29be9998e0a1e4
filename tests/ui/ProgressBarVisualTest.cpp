#include "ui/ProgressBarVisual.h"

#include "ecs/Transform.h"
#include "graphics/Sprite.h"
#include "ui/ProgressBar.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

TEST(ProgressBarVisual, AHalfBarAlignedLeftKeepsItsLeftEdge)
{
    ProgressBar bar;
    bar.min = 0.0f;
    bar.max = 1.0f;
    bar.current = 0.5f;
    bar.align = 3;
    bar.dirty = true;
    Sprite sprite;
    Transform transform;
    transform.SetTranslation({-1.0f, 0.9f});
    transform.SetScale({0.6f, 0.08f});
    UpdateProgressBarVisual(bar, sprite, transform);
    EXPECT_EQ(sprite.crop, (Vec2{0.5f, 1.0f}));
    // Left edge before: -1.0 - 0.3; after: centre -1.15, half width 0.15.
    EXPECT_NEAR(transform.GetTranslation().x - 0.15f, -1.3f, 1e-5f);
    EXPECT_FALSE(bar.dirty);
}

TEST(ProgressBarVisual, NothingChangesUntilMarkedDirty)
{
    ProgressBar bar;
    bar.current = 10.0f;
    Sprite sprite;
    Transform transform;
    UpdateProgressBarVisual(bar, sprite, transform);
    EXPECT_EQ(sprite.crop, (Vec2{1.0f, 1.0f}));
    EXPECT_TRUE(bar.placed);
    bar.dirty = true;
    bar.scaleDirection = ScaleDirection::Both;
    bar.align = 0;
    UpdateProgressBarVisual(bar, sprite, transform);
    EXPECT_EQ(sprite.crop, (Vec2{0.1f, 0.1f}));
    EXPECT_EQ(transform.GetTranslation(), (Vec2{0.0f, 0.0f}));
}

TEST(ProgressBarVisual, AnUnknownScaleDirectionShrinksAlongXLikeTheDefault)
{
    const auto cropFor = [](ScaleDirection direction)
    {
        ProgressBar bar;
        bar.current = 25.0f;
        bar.scaleDirection = direction;
        bar.dirty = true;
        Sprite sprite;
        Transform transform;
        UpdateProgressBarVisual(bar, sprite, transform);
        return sprite.crop;
    };
    EXPECT_EQ(cropFor(ScaleDirection::X), (Vec2{0.25f, 1.0f}));
    EXPECT_EQ(cropFor(ScaleDirection::Y), (Vec2{1.0f, 0.25f}));
    EXPECT_EQ(cropFor(ScaleDirection::Both), (Vec2{0.25f, 0.25f}));
    EXPECT_EQ(cropFor(static_cast<ScaleDirection>(9)), (Vec2{0.25f, 1.0f}));
}

} // namespace
} // namespace kesto
