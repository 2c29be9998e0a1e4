#include "animation/SpineSourceManager.h"
#include "ecs/EntityStore.h"
#include "ecs/Transform.h"
#include "gl/GlWorld.h"
#include "graphics/Camera.h"
#include "graphics/ShaderManager.h"
#include "graphics/Sprite.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kesto
{
namespace
{

// The box of the pixels that are not the black background.
struct Box
{
    int minX = 1 << 20;
    int minY = 1 << 20;
    int maxX = -1;
    int maxY = -1;
    int Width() const { return maxX - minX + 1; }
    int Height() const { return maxY - minY + 1; }
};

Box Drawn(const test::Pixels& pixels)
{
    Box box;
    for (int y = 0; y < pixels.height; ++y)
    {
        for (int x = 0; x < pixels.width; ++x)
        {
            const auto c = pixels.At(x, y);
            if (c.r + c.g + c.b > 60)
            {
                box = {std::min(box.minX, x), std::min(box.minY, y), std::max(box.maxX, x), std::max(box.maxY, y)};
            }
        }
    }
    return box;
}

class SpineDrawTest : public test::GlTest
{
protected:
    // The banner, unlit, in its setup pose (a skeleton's first frame), scaled by `scale`.
    Box DrawBanner(float scale)
    {
        manager.registry = &registry;
        manager.folder = "Assets/Art/Spine";
        if (manager.Names().empty())
        {
            manager.Init();
        }
        camera.SetZoom(400.0f);
        const Entity entity = AddSprite("Red", {0.0f, 150.0f}, scale);
        Sprite& sprite = SpriteOf(entity);
        sprite.usingSpine = true;
        sprite.spine = SpineInstance(manager.Find("Banner"));
        sprite.emissive = true;
        sprite.ChooseShader(*registry.GetSystem<ShaderManager>());
        Frames(1);
        const Box box = Drawn(Window());
        store.DestroyEntity(entity);
        return box;
    }

    SpineSourceManager manager;
};

TEST_F(SpineDrawTest, TransformScaleOf500DrawsTheSkeletonAtHalfItsAuthoredSize)
{
    const Box authored = DrawBanner(1000.0f);
    const Box half = DrawBanner(500.0f);
    // About 192 x 220 skeleton units (the cloth's fringe reaches further) at 0.45 pixels a unit.
    ASSERT_NEAR(authored.Width(), 192 * 0.45f, 8);
    ASSERT_NEAR(authored.Height(), 220 * 0.45f, 8);
    EXPECT_NEAR(half.Width(), authored.Width() / 2.0f, 1.5f);
    EXPECT_NEAR(half.Height(), authored.Height() / 2.0f, 1.5f);
    // Both centred on the skeleton's origin, at the transform's position.
    EXPECT_NEAR((half.minX + half.maxX) / 2.0f, (authored.minX + authored.maxX) / 2.0f, 1.5f);
}

} // namespace
} // namespace kesto
