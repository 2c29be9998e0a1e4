#include "ecs/ECS.h"
#include "ecs/EntityStore.h"
#include "ecs/Transform.h"
#include "gl/GlWorld.h"
#include "graphics/Camera.h"
#include "graphics/SpriteText.h"
#include "ui/TimerSystem.h"
#include "ui/UI.h"

#include <gtest/gtest.h>
#include <vector>

namespace kesto
{
namespace
{

using test::Near;
using Color = test::Pixels::Color;

// The test sheet's cells: 0 red, 1 green, 2 blue, 5 cyan; it has no cells for ':' (10) and '.' (11).
constexpr Color red{255, 0, 0};
constexpr Color green{0, 255, 0};
constexpr Color blue{0, 0, 255};
constexpr Color cyan{0, 255, 255};
constexpr Color black{0, 0, 0};

class SpriteTextDrawTest : public test::GlTest
{
protected:
    void SetUp() override
    {
        test::GlTest::SetUp();
        // "1:12.500"
        registry.GetSystem<TimerSystem>()->time = 72.5f;
    }
    void TearDown() override
    {
        registry.GetSystem<TimerSystem>()->time = 0.0f;
        for (const Entity& entity : texts)
        {
            store.DestroyEntity(entity);
        }
        test::GlTest::TearDown();
    }

    Entity AddText(Vec2 position, float cell, bool screen)
    {
        const Entity entity("Text");
        Transform& transform = *store.AddComponent<Transform>(entity);
        transform.SetTranslation(position);
        transform.SetScale({cell, cell});
        SpriteText& text = *store.AddComponent<SpriteText>(entity);
        text.source = "Sheet";
        text.id = 1;
        text.UseSource(registry);
        if (screen)
        {
            store.AddComponent<UI>(entity);
        }
        texts.push_back(entity);
        registry.GetSystem<ECS>()->SortRenderList();
        return entity;
    }

    // "1:12.500": each glyph's colour, black where the sheet has no cell.
    const std::vector<Color> expected = {green, black, green, blue, black, cyan, red, red};
    std::vector<Entity> texts;
};

TEST_F(SpriteTextDrawTest, TheTimerShowsAsARowOfSheetCellsInTheWorld)
{
    AddText({-600.0f, 0.0f}, 150.0f, false);
    Frames(1);
    const test::Pixels shown = Window();
    for (std::size_t i = 0; i < expected.size(); ++i)
    {
        const Vec2 p = ToPixel({-600.0f + 150.0f * static_cast<float>(i), 0.0f});
        EXPECT_TRUE(Near(shown.At(static_cast<int>(p.x), static_cast<int>(p.y)), expected[i])) << "glyph " << i;
    }
}

TEST_F(SpriteTextDrawTest, AUiTextIsPlacedInScreenUnitsWhereverTheCameraIs)
{
    camera.SetPosition({5000.0f, -3000.0f});
    AddText({-1.2f, -0.6f}, 0.25f, true);
    Frames(1);
    const test::Pixels shown = Window();
    const float aspect = static_cast<float>(test::GlWorld::width) / static_cast<float>(test::GlWorld::height);
    for (std::size_t i = 0; i < expected.size(); ++i)
    {
        const float x = -1.2f + 0.25f * static_cast<float>(i);
        const int px = static_cast<int>((x / aspect + 1.0f) * 0.5f * static_cast<float>(test::GlWorld::width));
        const int py = static_cast<int>((1.0f - -0.6f) * 0.5f * static_cast<float>(test::GlWorld::height));
        EXPECT_TRUE(Near(shown.At(px, py), expected[i])) << "glyph " << i;
    }
}

} // namespace
} // namespace kesto
