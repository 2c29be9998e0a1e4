#include "ecs/ECS.h"
#include "ecs/EntityStore.h"
#include "ecs/Transform.h"
#include "gl/GlWorld.h"
#include "graphics/Camera.h"
#include "graphics/RendererSystem.h"
#include "graphics/ShaderManager.h"
#include "graphics/Sprite.h"
#include "ui/UI.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kesto
{
namespace
{

using test::Near;
using Color = test::Pixels::Color;

constexpr Color black{0, 0, 0};
constexpr Color red{255, 0, 0};
constexpr Color green{0, 255, 0};

class RendererDrawTest : public test::GlTest
{
protected:
    Color WindowAt(Vec2 world) const
    {
        const Vec2 p = ToPixel(world);
        return Window().At(static_cast<int>(p.x), static_cast<int>(p.y));
    }

    // A UI element: its transform is in screen units (-aspect..aspect across, -1..1 up).
    Entity AddUiSprite(const std::string& source, Vec2 position, float side)
    {
        const Entity entity = AddSprite(source, position, side);
        store.AddComponent<UI>(entity);
        return entity;
    }
};

TEST_F(RendererDrawTest, SpriteShowsItsColourWhereItStands)
{
    AddSprite("Red", {-400.0f, 200.0f}, 400.0f);
    Frames(1);
    EXPECT_TRUE(Near(WindowAt({-400.0f, 200.0f}), red));
    EXPECT_TRUE(Near(WindowAt({-400.0f + 260.0f, 200.0f}), black));
    EXPECT_TRUE(Near(WindowAt({0.0f, 0.0f}), black));
    const Vec2 p = ToPixel({-400.0f, 200.0f});
    EXPECT_TRUE(Near(Scene().At(static_cast<int>(p.x), static_cast<int>(p.y)), red));
}

TEST_F(RendererDrawTest, DepthHalfMovesAtHalfTheCameraSpeed)
{
    AddSprite("Red", {800.0f, 0.0f}, 200.0f, 0, 0.5f);
    Frames(1);
    // Drawn at 800 + (0 - 800) x 0.5.
    EXPECT_TRUE(Near(WindowAt({400.0f, 0.0f}), red));
    camera.SetPosition({400.0f, 0.0f});
    Frames(1);
    EXPECT_TRUE(Near(WindowAt({600.0f, 0.0f}), red));
    EXPECT_TRUE(Near(WindowAt({800.0f, 0.0f}), black));
}

TEST_F(RendererDrawTest, NormalBlendingMixesAndAdditiveBlendingAdds)
{
    AddSprite("Red", {-600.0f, 0.0f}, 400.0f, 0);
    const Entity half = AddSprite("Green", {-600.0f, 0.0f}, 400.0f, 1);
    SpriteOf(half).alpha = 0.5f;
    AddSprite("Red", {600.0f, 0.0f}, 400.0f, 0);
    AddSprite("Glow", {600.0f, 0.0f}, 400.0f, 1);
    Frames(1);
    EXPECT_TRUE(Near(WindowAt({-600.0f, 0.0f}), {128, 128, 0}));
    EXPECT_TRUE(Near(WindowAt({600.0f, 0.0f}), {255, 255, 0}));
}

TEST_F(RendererDrawTest, HigherOrderDrawsOnTop)
{
    AddSprite("Red", {0.0f, 0.0f}, 400.0f, 5);
    AddSprite("Green", {0.0f, 0.0f}, 400.0f, 1);
    Frames(1);
    EXPECT_TRUE(Near(WindowAt({0.0f, 0.0f}), red));
}

TEST_F(RendererDrawTest, SpriteOutsideTheViewIsCulledEvenWhenItsOffsetWouldShowIt)
{
    // The offset moves the quad in the shader, after culling has looked at the transform.
    const Entity outside = AddSprite("Red", {3000.0f, 0.0f}, 400.0f);
    SpriteOf(outside).offset = {-7.5f, 0.0f};
    Frames(1);
    EXPECT_TRUE(Near(WindowAt({0.0f, 0.0f}), black));
    const Entity inside = AddSprite("Green", {1300.0f, 0.0f}, 400.0f);
    SpriteOf(inside).offset = {-3.25f, 0.0f};
    Frames(1);
    EXPECT_TRUE(Near(WindowAt({0.0f, 0.0f}), green));
}

TEST_F(RendererDrawTest, UiSpriteIsPlacedInScreenUnitsWhereverTheCameraIs)
{
    AddUiSprite("Red", {0.5f, 0.5f}, 0.2f);
    camera.SetPosition({5000.0f, -300.0f});
    Frames(1);
    const test::Pixels shown = Window();
    // x = (0.5 / aspect + 1) / 2 of the width; y = a quarter down; 0.2 units are 18 pixels.
    EXPECT_TRUE(Near(shown.At(205, 45), red));
    EXPECT_TRUE(Near(shown.At(205 + 12, 45), black));
    EXPECT_TRUE(Near(shown.At(205, 45 + 12), black));
}

TEST_F(RendererDrawTest, OverlayIsDrawnOverThePostProcessedScene)
{
    AddSprite("Red", {0.0f, 0.0f}, 400.0f);
    AddUiSprite("Green", {0.5f, 0.5f}, 0.2f);
    renderer.fadingOut = true;
    Frames(1);
    EXPECT_EQ(renderer.transition, 1.0f);
    const test::Pixels shown = Window();
    EXPECT_TRUE(Near(shown.At(160, 90), black));
    EXPECT_TRUE(Near(shown.At(205, 45), green));
    // The scene itself is intact; only the pass after it covered it.
    EXPECT_TRUE(Near(Scene().At(160, 90), red));
    EXPECT_TRUE(Near(Scene().At(205, 45), black));
}

TEST_F(RendererDrawTest, AUiSpriteUnderTheOverlayIsPartOfTheSceneAndFadesWithIt)
{
    const Entity element = AddUiSprite("Green", {0.5f, 0.5f}, 0.2f);
    store.GetComponent<UI>(element)->overOverlay = false;
    Frames(1);
    EXPECT_TRUE(Near(Scene().At(205, 45), green));
    EXPECT_TRUE(Near(Window().At(205, 45), green));
    renderer.fadingOut = true;
    Frames(1);
    EXPECT_TRUE(Near(Scene().At(205, 45), green));
    EXPECT_TRUE(Near(Window().At(205, 45), black));
}

TEST_F(RendererDrawTest, FadeReachesBlackAndComesBack)
{
    AddSprite("Red", {0.0f, 0.0f}, 400.0f);
    renderer.fadingOut = true;
    renderer.transitionDuration = 0.25f;
    Frames(2);
    EXPECT_TRUE(Near(WindowAt({0.0f, 0.0f}), {128, 0, 0}, 4));
    Frames(2);
    EXPECT_TRUE(Near(WindowAt({0.0f, 0.0f}), black));
    renderer.fadingOut = false;
    Frames(4);
    EXPECT_EQ(renderer.transition, 0.0f);
    EXPECT_TRUE(Near(WindowAt({0.0f, 0.0f}), red));
}

TEST_F(RendererDrawTest, SlideCoversFromTheLeft)
{
    AddSprite("Red", {0.0f, 0.0f}, 4000.0f);
    renderer.transitionType = ScreenTransition::Slide;
    renderer.fadingOut = true;
    renderer.transitionDuration = 0.125f;
    Frames(1);
    EXPECT_EQ(renderer.transition, 0.5f);
    const test::Pixels shown = Window();
    EXPECT_TRUE(Near(shown.At(40, 90), black));
    EXPECT_TRUE(Near(shown.At(280, 90), red));
}

TEST_F(RendererDrawTest, SlowMotionTintsThePicture)
{
    AddSprite("Red", {0.0f, 0.0f}, 4000.0f);
    renderer.slowMotionOn = true;
    Frames(2);
    EXPECT_EQ(renderer.timeSlow, 1.0f);
    const Color tinted = Window().At(160, 90);
    EXPECT_LT(tinted.r, 160);
    EXPECT_GT(tinted.b, 60);
}

TEST_F(RendererDrawTest, LightsBrightenLitSpritesButNotEmissiveOnes)
{
    renderer.ambient = {0.2f, 0.2f, 0.2f};
    AddSprite("White", {0.0f, 0.0f}, 1200.0f);
    const Entity glowing = AddSprite("White", {0.0f, 600.0f}, 200.0f, 1);
    SpriteOf(glowing).emissive = true;
    SpriteOf(glowing).ChooseShader(*registry.GetSystem<ShaderManager>());
    Frames(1);
    EXPECT_TRUE(Near(WindowAt({0.0f, 0.0f}), {51, 51, 51}));
    EXPECT_TRUE(Near(WindowAt({0.0f, 600.0f}), {255, 255, 255}));
    AddLight({0.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, 1000.0f);
    Frames(1);
    EXPECT_TRUE(Near(WindowAt({0.0f, 0.0f}), {255, 255, 255}));
    // 400 units away: 0.2 + 1 / (1 + 4.5 x 0.4 + 80 x 0.16).
    const int expected = static_cast<int>(255.0f * (0.2f + 1.0f / 15.6f) + 0.5f);
    EXPECT_TRUE(Near(WindowAt({400.0f, 0.0f}), {expected, expected, expected}, 4));
}

TEST_F(RendererDrawTest, SheetCellFollowsTheFrameAndFlipsStayOnIt)
{
    const Entity cell = AddSprite("Sheet", {0.0f, 0.0f}, 400.0f);
    SpriteOf(cell).frame = 5;
    Frames(1);
    EXPECT_TRUE(Near(WindowAt({0.0f, 0.0f}), {0, 255, 255}));
    SpriteOf(cell).flippedX = true;
    Frames(1);
    EXPECT_TRUE(Near(WindowAt({0.0f, 0.0f}), {0, 255, 255}));
    SpriteOf(cell).flippedX = false;
    SpriteOf(cell).frame = 2;
    Frames(1);
    EXPECT_TRUE(Near(WindowAt({0.0f, 0.0f}), {0, 0, 255}));
}

TEST_F(RendererDrawTest, DebugLinesShowOnlyWhileDebugDrawingIsOn)
{
    renderer.AddDebugLine({-800.0f, 0.0f}, {800.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, 5.0f);
    Frames(1);
    EXPECT_TRUE(Near(WindowAt({0.0f, 0.0f}), black));
    EXPECT_TRUE(renderer.QueuedDebugLines().empty());
    registry.GetSystem<ECS>()->systemStore.debugDraw = true;
    renderer.AddDebugLine({-800.0f, 0.0f}, {800.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, 5.0f);
    Frames(1);
    EXPECT_TRUE(Near(WindowAt({0.0f, 0.0f}), green));
    EXPECT_TRUE(Near(WindowAt({0.0f, 300.0f}), black));
}

TEST_F(RendererDrawTest, AfterimageDrawsAtAQuarterOfItsOpacity)
{
    const Entity source = AddSprite("White", {0.0f, 0.0f}, 400.0f);
    Sprite snapshot = SpriteOf(source);
    Transform transform = *store.GetComponent<Transform>(source);
    store.DestroyEntity(source);
    Frames(1);
    renderer.sceneTarget.Bind();
    renderer.DrawAfterimage(transform, snapshot);
    const Vec2 p = ToPixel({0.0f, 0.0f});
    EXPECT_TRUE(Near(Scene().At(static_cast<int>(p.x), static_cast<int>(p.y)), {64, 64, 64}));
}

TEST_F(RendererDrawTest, ScreenshotOfAComposedSceneIsWritten)
{
    renderer.ambient = {0.3f, 0.3f, 0.35f};
    AddSprite("Sheet", {0.0f, 0.0f}, 2400.0f, -10, 0.6f);
    AddSprite("White", {-700.0f, -300.0f}, 300.0f, 0);
    AddSprite("Red", {700.0f, -300.0f}, 300.0f, 0);
    AddSprite("Glow", {0.0f, -300.0f}, 300.0f, 5);
    AddLight({-300.0f, -300.0f}, {1.0f, 0.8f, 0.5f}, 1500.0f);
    AddUiSprite("Green", {-1.5f, 0.85f}, 0.15f);
    camera.SetPosition({200.0f, 0.0f});
    Frames(1);
    const std::string path = KESTO_GL_OUTPUT "/gl_scene.png";
    std::filesystem::remove(path);
    ASSERT_TRUE(test::WritePng(path, Window()));
    EXPECT_GT(std::filesystem::file_size(path), 100u);
}

} // namespace
} // namespace kesto
