#include "animation/SpineSourceManager.h"
#include "ecs/EntityStore.h"
#include "ecs/Transform.h"
#include "engine/Trace.h"
#include "gl/GlWorld.h"
#include "graphics/Camera.h"
#include "graphics/ShaderManager.h"
#include "graphics/Sprite.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace kesto
{
namespace
{

namespace fs = std::filesystem;

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
    void SetUp() override
    {
        GlTest::SetUp();
        manager.registry = &registry;
        manager.folder = "Assets/Art/Spine";
        manager.Init();
        camera.SetZoom(400.0f);
    }

    void TearDown() override
    {
        fs::remove_all(root);
        GlTest::TearDown();
    }

    // One frame of the skeleton, unlit, in its setup pose (a skeleton's first frame), at `position` with `scale`.
    test::Pixels DrawSkeleton(const SpineSource* source, Vec2 position, Vec2 scale, bool flippedX = false)
    {
        const Entity entity = AddSprite("Red", position, 1.0f);
        store.GetComponent<Transform>(entity)->SetScale(scale);
        Sprite& sprite = SpriteOf(entity);
        sprite.usingSpine = true;
        sprite.spine = SpineInstance(source);
        sprite.emissive = true;
        sprite.flippedX = flippedX;
        sprite.ChooseShader(*registry.GetSystem<ShaderManager>());
        Frames(1);
        test::Pixels pixels = Window();
        store.DestroyEntity(entity);
        return pixels;
    }

    Box DrawBanner(Vec2 scale, bool flippedX = false)
    {
        return Drawn(DrawSkeleton(manager.Find("Banner"), {0.0f, 150.0f}, scale, flippedX));
    }

    SpineSourceManager manager;
    const fs::path root = fs::temp_directory_path() / "kesto_spine_draw";
};

TEST_F(SpineDrawTest, TransformScaleOf500DrawsTheSkeletonAtHalfItsAuthoredSize)
{
    const Box authored = DrawBanner({1000.0f, 1000.0f});
    const Box half = DrawBanner({500.0f, 500.0f});
    // About 192 x 220 skeleton units (the cloth's fringe reaches further) at 0.45 pixels a unit.
    ASSERT_NEAR(authored.Width(), 192 * 0.45f, 8);
    ASSERT_NEAR(authored.Height(), 220 * 0.45f, 8);
    EXPECT_NEAR(half.Width(), authored.Width() / 2.0f, 1.5f);
    EXPECT_NEAR(half.Height(), authored.Height() / 2.0f, 1.5f);
    // Both centred on the skeleton's origin, at the transform's position.
    EXPECT_NEAR((half.minX + half.maxX) / 2.0f, (authored.minX + authored.maxX) / 2.0f, 1.5f);

    // Flipped, it mirrors about its origin rather than being lost to back-face culling.
    const Box mirrored = DrawBanner({1000.0f, 1000.0f}, true);
    const float originX = ToPixel({0.0f, 150.0f}).x;
    EXPECT_NEAR(mirrored.Width(), authored.Width(), 1.5f);
    EXPECT_NEAR(mirrored.Height(), authored.Height(), 1.5f);
    EXPECT_NEAR(originX - (mirrored.maxX + 1), authored.minX - originX, 1.5f);
}

TEST_F(SpineDrawTest, SlotsBlendByTheirBlendModeInDrawOrder)
{
    // Two white 100 x 100 squares on one spot: dark red drawn normally, then green added on top of it.
    const fs::path folder = root / "Blend";
    fs::create_directories(folder);
    fs::copy_file(KESTO_TEST_DATA "/graphics/White.png", folder / "White.png", fs::copy_options::overwrite_existing);
    std::ofstream(folder / "Blend.atlas") << "\nWhite.png\nsize: 8,8\nformat: RGBA8888\nfilter: Linear,Linear\n"
                                             "repeat: none\nw\n  rotate: false\n  xy: 0, 0\n  size: 8, 8\n"
                                             "  orig: 8, 8\n  offset: 0, 0\n  index: -1\n";
    std::ofstream(folder / "Blend.json") << R"({"bones": [{"name": "root"}],
        "slots": [{"name": "base", "bone": "root", "color": "800000ff", "attachment": "w"},
                  {"name": "glow", "bone": "root", "color": "008000ff", "attachment": "w", "blend": "additive"}],
        "skins": [{"name": "default", "attachments": {"base": {"w": {"width": 100, "height": 100}},
                                                     "glow": {"w": {"width": 100, "height": 100}}}}]})";
    SpineSourceManager own;
    own.registry = &registry;
    own.folder = root.generic_string();
    own.Init();
    ASSERT_TRUE(own.Find("Blend") && own.Find("Blend")->IsLoaded()) << trace.Text();

    const test::Pixels pixels = DrawSkeleton(own.Find("Blend"), {0.0f, 0.0f}, {1000.0f, 1000.0f});
    const Vec2 centre = ToPixel({0.0f, 0.0f});
    EXPECT_TRUE(test::Near(pixels.At(static_cast<int>(centre.x), static_cast<int>(centre.y)), {128, 128, 0}, 4));
}

} // namespace
} // namespace kesto
