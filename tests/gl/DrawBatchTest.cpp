#include "ecs/ECS.h"
#include "ecs/EntityStore.h"
#include "ecs/Transform.h"
#include "engine/Trace.h"
#include "gl/GlWorld.h"
#include "graphics/LightSource.h"
#include "graphics/RendererSystem.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteQuad.h"
#include "graphics/SpriteSource.h"
#include "graphics/SpriteSourceManager.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

using test::Near;
using Color = test::Pixels::Color;

constexpr Color black{0, 0, 0};
constexpr Color red{255, 0, 0};
constexpr Color green{0, 255, 0};

// Sprites drawn in batches must give the picture of drawing each in turn; these are the cases batching can break.
class DrawBatchTest : public test::GlTest
{
protected:
    Color At(const test::Pixels& shown, Vec2 world) const
    {
        const Vec2 p = ToPixel(world);
        return shown.At(static_cast<int>(p.x), static_cast<int>(p.y));
    }

    // A source loaded now from the test art folder (kept for the rest of the run).
    SpriteSource& ExtraSource(const std::string& name)
    {
        if (SpriteSource* known = sources.Find(name))
        {
            return *known;
        }
        SpriteSource source;
        source.name = name;
        source.rows = 1;
        source.columns = 1;
        source.texture = sources.LoadTexture("tests/data/graphics/" + name + ".png");
        return sources.sources.emplace(name, std::move(source)).first->second;
    }

    std::size_t TraceCount(const std::string& text, std::size_t from) const
    {
        const std::string all = trace.Text().substr(from);
        std::size_t count = 0;
        for (std::size_t at = all.find(text); at != std::string::npos; at = all.find(text, at + 1))
        {
            ++count;
        }
        return count;
    }
};

TEST_F(DrawBatchTest, DrawOrderHoldsAcrossBatchesOfOneTexture)
{
    // Red, green over it, red over the green: the second red may not join the first one's batch.
    AddSprite("Red", {0.0f, 0.0f}, 400.0f, 0);
    AddSprite("Green", {150.0f, 0.0f}, 400.0f, 1);
    AddSprite("Red", {300.0f, 0.0f}, 400.0f, 2);
    // Far from the others, so it may share the last red's draw call.
    AddSprite("Red", {-1000.0f, 500.0f}, 200.0f, 3);
    Frames(1);
    const test::Pixels shown = Window();
    EXPECT_TRUE(Near(At(shown, {-150.0f, 0.0f}), red));
    EXPECT_TRUE(Near(At(shown, {75.0f, 0.0f}), green));
    EXPECT_TRUE(Near(At(shown, {225.0f, 0.0f}), red));
    EXPECT_TRUE(Near(At(shown, {-1000.0f, 500.0f}), red));
    EXPECT_EQ(renderer.Batch().FrameDrawCalls(), 3u);
}

TEST_F(DrawBatchTest, TwoTexturesInterleavedInOrderDrawInTwoCallsWhereNothingOverlaps)
{
    std::vector<Vec2> places;
    for (int i = 0; i < 10; ++i)
    {
        places.push_back({-1200.0f + 260.0f * static_cast<float>(i), 300.0f});
        AddSprite(i % 2 == 0 ? "Red" : "Green", places.back(), 200.0f, i);
    }
    // Overlapping pairs in the next row: each pair's later member is on top.
    for (int i = 0; i < 4; ++i)
    {
        const float x = -1000.0f + 600.0f * static_cast<float>(i);
        AddSprite(i % 2 == 0 ? "Red" : "Green", {x, -300.0f}, 300.0f, 20 + 2 * i);
        AddSprite(i % 2 == 0 ? "Green" : "Red", {x + 150.0f, -300.0f}, 300.0f, 21 + 2 * i);
    }
    Frames(1);
    const test::Pixels shown = Window();
    for (int i = 0; i < 10; ++i)
    {
        EXPECT_TRUE(Near(At(shown, places[static_cast<std::size_t>(i)]), i % 2 == 0 ? red : green)) << i;
    }
    for (int i = 0; i < 4; ++i)
    {
        const float x = -1000.0f + 600.0f * static_cast<float>(i);
        EXPECT_TRUE(Near(At(shown, {x - 100.0f, -300.0f}), i % 2 == 0 ? red : green)) << i;
        EXPECT_TRUE(Near(At(shown, {x + 75.0f, -300.0f}), i % 2 == 0 ? green : red)) << i;
    }
    // Two calls for the first row (one per texture) and at most one more for each pair that must start a new one:
    // one call per sprite would be eighteen.
    EXPECT_LE(renderer.Batch().FrameDrawCalls(), 5u);
}

TEST_F(DrawBatchTest, AdditiveSpriteBetweenNormalOnesKeepsItsPlace)
{
    // Elsewhere the same states come earlier and later, which tempts merging.
    AddSprite("Glow", {-1000.0f, 500.0f}, 200.0f, -1);
    AddSprite("Red", {0.0f, 0.0f}, 400.0f, 0);
    AddSprite("Glow", {0.0f, 0.0f}, 400.0f, 1);
    const Entity half = AddSprite("Red", {0.0f, 0.0f}, 400.0f, 2);
    SpriteOf(half).alpha = 0.5f;
    AddSprite("Red", {1000.0f, 500.0f}, 200.0f, 3);
    Frames(1);
    const test::Pixels shown = Window();
    // Red, plus green, then half red over that.
    EXPECT_TRUE(Near(At(shown, {0.0f, 0.0f}), {255, 128, 0}, 4));
    EXPECT_TRUE(Near(At(shown, {-1000.0f, 500.0f}), green));
    EXPECT_TRUE(Near(At(shown, {1000.0f, 500.0f}), red));
}

TEST_F(DrawBatchTest, OpaqueSpritesCoverAndSpritesWithClearTexelsStillBlend)
{
    // The left half of HalfClear is opaque white, the right half fully transparent.
    AddSprite("Green", {0.0f, 0.0f}, 800.0f, 0);
    const Entity half = AddSprite("White", {0.0f, 0.0f}, 800.0f, 1);
    SpriteOf(half).spriteSource = &ExtraSource("HalfClear");
    AddSprite("Red", {0.0f, 300.0f}, 200.0f, 2);
    Frames(1);
    const test::Pixels shown = Window();
    EXPECT_TRUE(Near(At(shown, {-200.0f, -200.0f}), {255, 255, 255}));
    EXPECT_TRUE(Near(At(shown, {200.0f, -200.0f}), green));
    EXPECT_TRUE(Near(At(shown, {0.0f, 300.0f}), red));
}

TEST_F(DrawBatchTest, ASpriteDrawsOnlyAroundItsVisibleTexelsInEveryMirroring)
{
    // CornerBlock is clear but for a red block low on its right: the quad shrinks to that block and its margin,
    // and every mirroring still shows the block where the whole picture would.
    AddSprite("Green", {0.0f, 0.0f}, 800.0f, 0);
    const Entity block = AddSprite("White", {0.0f, 0.0f}, 800.0f, 1);
    Sprite& sprite = SpriteOf(block);
    sprite.spriteSource = &ExtraSource("CornerBlock");
    for (const bool flipX : {false, true})
    {
        for (const bool flipY : {false, true})
        {
            sprite.flippedX = flipX;
            sprite.flippedY = flipY;
            Frames(1);
            const test::Pixels shown = Window();
            // The block's centre, 200/256 across and 40/256 up the picture, and a clear point across from it.
            const Vec2 inside{(flipX ? 56.0f / 256.0f - 0.5f : 200.0f / 256.0f - 0.5f) * 800.0f,
                              (flipY ? 216.0f / 256.0f - 0.5f : 40.0f / 256.0f - 0.5f) * 800.0f};
            EXPECT_TRUE(Near(At(shown, inside), red)) << "flipped " << flipX << ", " << flipY;
            EXPECT_TRUE(Near(At(shown, -inside), green)) << "flipped " << flipX << ", " << flipY;
            SpriteQuad quad;
            ASSERT_TRUE(
                MakeSpriteQuad(sprite, *sprite.shader, Matrix3::Scale({800.0f, 800.0f}), 1.0f, DrawSpace::World, quad));
            // Columns 118 to 256 and rows 0 to 92 of 256, with the margin: mirrored with the picture.
            const float left = (flipX ? 0.0f : 118.0f / 256.0f) * 800.0f - 400.0f;
            const float bottom = (flipY ? 164.0f / 256.0f : 0.0f) * 800.0f - 400.0f;
            EXPECT_NEAR(quad.corners[1].position.x, left, 0.01f);
            EXPECT_NEAR(quad.corners[1].position.y, bottom, 0.01f);
            EXPECT_NEAR(quad.corners[2].position.x - quad.corners[1].position.x, 138.0f / 256.0f * 800.0f, 0.01f);
            EXPECT_NEAR(quad.corners[2].position.y - quad.corners[1].position.y, 92.0f / 256.0f * 800.0f, 0.01f);
        }
    }
}

TEST_F(DrawBatchTest, ALightReachesTheSpriteInItsRadiusAndNotTheNeighbourBeyondIt)
{
    renderer.ambient = {0.2f, 0.2f, 0.2f};
    AddSprite("White", {-300.0f, 0.0f}, 200.0f);
    AddSprite("White", {300.0f, 0.0f}, 200.0f);
    // Strong enough that its falloff would still show 500 units away (20 / 471), were it applied there.
    const Entity light = AddLight({-300.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, 250.0f);
    store.GetComponent<LightSource>(light)->intensity = 20.0f;
    Frames(1);
    const test::Pixels shown = Window();
    EXPECT_TRUE(Near(At(shown, {-300.0f, 0.0f}), {255, 255, 255}));
    EXPECT_TRUE(Near(At(shown, {300.0f, 0.0f}), {51, 51, 51}, 1));
}

TEST_F(DrawBatchTest, NormalMapsTurnWithTheSpriteAndAFlatMapChangesNothing)
{
    renderer.ambient = {0.2f, 0.2f, 0.2f};
    // Normals pointing along the texture's right: lit fully from the right, not at all from the left.
    const Entity facing = AddSprite("White", {-600.0f, 0.0f}, 400.0f);
    SpriteOf(facing).normalSource = &ExtraSource("FacingRight");
    const Entity mirrored = AddSprite("White", {-600.0f, 500.0f}, 400.0f);
    SpriteOf(mirrored).normalSource = &ExtraSource("FacingRight");
    SpriteOf(mirrored).flippedX = true;
    // A flat normal map and a black specular map give the picture of no maps at all.
    const Entity plain = AddSprite("White", {600.0f, 0.0f}, 400.0f);
    const Entity flat = AddSprite("White", {600.0f, 500.0f}, 400.0f);
    SpriteOf(flat).normalSource = &ExtraSource("FlatNormal");
    SpriteOf(flat).specularSource = &ExtraSource("Black");
    for (const Vec2 at : {Vec2{0.0f, 0.0f}, Vec2{0.0f, 500.0f}, Vec2{1200.0f, 250.0f}})
    {
        const Entity light = AddLight(at, {1.0f, 1.0f, 1.0f}, 1000.0f);
        store.GetComponent<LightSource>(light)->intensity = 3.0f;
    }
    Frames(1);
    const test::Pixels shown = Window();
    const Color lit = At(shown, {-600.0f, 0.0f});
    EXPECT_GT(lit.r, 90);
    EXPECT_TRUE(Near(At(shown, {-600.0f, 500.0f}), {51, 51, 51}, 2));
    const Color plainColor = At(shown, {600.0f, 0.0f});
    EXPECT_GT(plainColor.r, 60);
    EXPECT_TRUE(Near(At(shown, {600.0f, 500.0f}), plainColor, 2));
}

TEST_F(DrawBatchTest, ASpriteSeenFromAfarKeepsItsMipmaps)
{
    // A checkerboard of single texels, 64 of them over 19 pixels: its mipmaps are an even grey. Without them every
    // pixel would show whatever texels it happens to fall on.
    const Entity far = AddSprite("White", {-603.0f, 2.0f}, 172.0f);
    SpriteOf(far).spriteSource = &ExtraSource("Checker");
    // Beside a close-up of the same texture, which needs no mipmaps.
    const Entity near = AddSprite("White", {600.0f, 0.0f}, 1600.0f);
    SpriteOf(near).spriteSource = &ExtraSource("Checker");
    Frames(1);
    const test::Pixels shown = Window();
    const Vec2 centre = ToPixel({-600.0f, 0.0f});
    for (int dy = -6; dy <= 6; ++dy)
    {
        for (int dx = -6; dx <= 6; ++dx)
        {
            const Color c = shown.At(static_cast<int>(centre.x) + dx, static_cast<int>(centre.y) + dy);
            ASSERT_TRUE(Near(c, {128, 128, 128}, 16)) << dx << ", " << dy;
        }
    }
}

TEST_F(DrawBatchTest, ASpriteReachingFarBeyondTheScreenKeepsItsPictureStraight)
{
    // A red top row over green, stretched 400 units a texel so that the quad reaches a hundred screens down: the
    // rasteriser clips it into many triangles, and the edge between red and green must stay level across them.
    const Entity tall = AddSprite("White", {0.0f, 0.0f}, 1.0f);
    SpriteOf(tall).spriteSource = &ExtraSource("TopRow");
    Transform& transform = *store.GetComponent<Transform>(tall);
    transform.SetScale({2400.0f, 256.0f * 400.0f});
    transform.SetTranslation({0.0f, 700.0f - 128.0f * 400.0f});
    Frames(1);
    const test::Pixels shown = Window();
    std::vector<int> edgeRows;
    for (const float x : {-1100.0f, -550.0f, 0.0f, 550.0f, 1100.0f})
    {
        const int column = static_cast<int>(ToPixel({x, 0.0f}).x);
        int row = 0;
        while (row < test::GlWorld::height && shown.At(column, row).r >= shown.At(column, row).g)
        {
            ++row;
        }
        edgeRows.push_back(row);
    }
    // Halfway between the centres of the red row and the green one below it.
    const int expected = static_cast<int>(ToPixel({0.0f, 300.0f}).y);
    for (const int row : edgeRows)
    {
        EXPECT_NEAR(row, expected, 1) << testing::PrintToString(edgeRows);
    }
}

TEST_F(DrawBatchTest, FortyLightsEachLightTheirOwnSprite)
{
    renderer.ambient = {0.0f, 0.0f, 0.0f};
    const std::vector<Vec3> colors = {{1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, {1.0f, 1.0f, 0.0f}};
    std::vector<Vec2> places;
    for (int i = 0; i < 40; ++i)
    {
        places.push_back(
            {-1260.0f + 280.0f * static_cast<float>(i % 10), -560.0f + 280.0f * static_cast<float>(i / 10)});
        AddSprite("White", places.back(), 150.0f);
        // Bright enough to saturate the whole sprite; the radius stops short of the neighbours' boxes.
        const Entity light = AddLight(places.back(), colors[static_cast<std::size_t>(i) % colors.size()], 200.0f);
        store.GetComponent<LightSource>(light)->intensity = 3.0f;
    }
    const std::size_t before = trace.Text().size();
    Frames(1);
    const test::Pixels shown = Window();
    for (std::size_t i = 0; i < places.size(); ++i)
    {
        const Vec3 c = colors[i % colors.size()];
        const Color expected{static_cast<int>(c.x * 255.0f), static_cast<int>(c.y * 255.0f),
                             static_cast<int>(c.z * 255.0f)};
        EXPECT_TRUE(Near(At(shown, places[i]), expected)) << i;
        // Between sprites there is nothing to light.
        EXPECT_TRUE(Near(At(shown, places[i] + Vec2{140.0f, 0.0f}), black)) << i;
    }
    EXPECT_EQ(TraceCount("lights", before), 0u) << trace.Text().substr(before);
}

TEST_F(DrawBatchTest, MoreLightsOnOneSpriteThanItTakesKeepTheStrongestAndAreReportedOncePerLevel)
{
    renderer.ambient = {0.0f, 0.0f, 0.0f};
    renderer.BeginLevel("Crowded");
    AddSprite("White", {0.0f, 0.0f}, 1000.0f);
    // Nine dim lights on the left and one bright on the right: the dim ones beyond the slots are dropped, the
    // bright one stays.
    for (int i = 0; i < 9; ++i)
    {
        AddLight({-450.0f, -400.0f + 100.0f * static_cast<float>(i)}, {0.02f, 0.02f, 0.02f}, 600.0f);
    }
    const Entity bright = AddLight({450.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, 600.0f);
    store.GetComponent<LightSource>(bright)->intensity = 3.0f;
    const std::size_t before = trace.Text().size();
    Frames(3);
    EXPECT_TRUE(Near(Window().At(static_cast<int>(ToPixel({450.0f, 0.0f}).x), 90), {255, 0, 0}, 3));
    EXPECT_EQ(TraceCount("GRAPHICS: Crowded: 10 lights reach one sprite; the 2 weakest are left out for it", before),
              1u)
        << trace.Text().substr(before);
}

TEST_F(DrawBatchTest, ALightThatWouldPutNanIntoThePictureIsLeftOutAndReportedOnce)
{
    renderer.ambient = {0.2f, 0.2f, 0.2f};
    renderer.BeginLevel("Broken Lights");
    AddSprite("White", {0.0f, 0.0f}, 1200.0f);
    const Entity zero = AddLight({0.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, 0.0f);
    const Entity infinite = AddLight({100.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, 1000.0f);
    store.GetComponent<LightSource>(infinite)->intensity = std::numeric_limits<float>::infinity();
    const std::size_t before = trace.Text().size();
    Frames(3);
    EXPECT_TRUE(Near(Window().At(160, 90), {51, 51, 51}, 1));
    EXPECT_EQ(TraceCount("DATA: " + zero.name + ": LightSource radius 0 lights nothing", before), 1u)
        << trace.Text().substr(before);
    EXPECT_EQ(TraceCount("DATA: " + infinite.name + ": LightSource has a colour, intensity", before), 1u)
        << trace.Text().substr(before);
}

} // namespace
} // namespace kesto
