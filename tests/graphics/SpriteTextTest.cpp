#include "graphics/SpriteText.h"

#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "graphics/GraphicsWorld.h"
#include "graphics/Mesh.h"
#include "graphics/SpriteTextSystem.h"
#include "support/ComponentJson.h"
#include "ui/TimerSystem.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

TEST(SpriteText, ReadsSourceOrderAndId)
{
    SpriteText text;
    EXPECT_EQ(text.order, 0);
    EXPECT_EQ(text.id, 0);
    test::ReadJson(text, R"({"source": "TimerDigits", "order": 12, "id": 3})");
    EXPECT_EQ(text.source, "TimerDigits");
    EXPECT_EQ(text.order, 12);
    EXPECT_EQ(text.id, 3);

    test::ReadJson(text, R"({"source": ["x"], "order": 1.0, "id": "total"})");
    EXPECT_EQ(text.source, "TimerDigits");
    EXPECT_EQ(text.order, 12);
    EXPECT_EQ(text.id, 3);
}

TEST(SpriteText, RoundTripIsEqualAndEachComparedFieldMatters)
{
    SpriteText text;
    text.source = "Digits";
    text.order = 5;
    text.id = 1;
    EXPECT_TRUE(test::RoundTrip(text).Equals(text));
    SpriteText other = text;
    other.id = 2;
    EXPECT_FALSE(other.Equals(text));
    other = text;
    other.order = 6;
    EXPECT_FALSE(other.Equals(text));
    other = text;
    other.source = "BigDigits";
    EXPECT_FALSE(other.Equals(text));
}

TEST(SpriteText, ReadingTheSourceFindsTheSheetItsProgramAndItsCellMesh)
{
    test::GraphicsWorld graphics;
    graphics.AddSource("Digits", 1, 12);
    graphics.AddSource("GlowDigits", 2, 6, "Additive");
    graphics.Init();
    struct Case
    {
        const char* json;
        const char* sheet; // null: none
        const char* program;
        Vec2 cell;
    };
    for (const Case& c : {Case{R"({"source": "Digits"})", "Digits", "Texture", {1.0f / 12.0f, 1.0f}},
                          Case{R"({"source": "GlowDigits"})", "GlowDigits", "Emissive", {1.0f / 6.0f, 0.5f}},
                          Case{R"({"source": "Nowhere"})", nullptr, "Texture", {}}})
    {
        SpriteText text;
        text.SetText("1:2");
        test::ReadJson(text, c.json, &graphics.world.registry);
        EXPECT_TRUE(text.glyphs.empty()) << "a new sheet drops the old glyphs";
        EXPECT_EQ(text.sheet ? text.sheet->name : "", c.sheet ? c.sheet : "");
        EXPECT_EQ(text.shader, &graphics.shaders->Get(c.program));
        if (c.sheet)
        {
            ASSERT_NE(text.mesh, nullptr);
            EXPECT_EQ(Vec2(text.mesh->uExtent, text.mesh->vExtent), c.cell);
        }
        else
        {
            EXPECT_EQ(text.mesh, nullptr);
        }
    }
    EXPECT_NE(graphics.world.trace->Text().find("test.json: SpriteText source \"Nowhere\" is not in Art.json"),
              std::string::npos)
        << graphics.world.trace->Text();
}

TEST(SpriteText, EachCharacterBecomesAGlyphOfItsCellOneCellFurtherRight)
{
    SpriteText text;
    text.order = 7;
    text.SetText("10:2.5");
    const std::vector<int> cells = {1, 0, 10, 2, 11, 5};
    ASSERT_EQ(text.glyphs.size(), cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i)
    {
        EXPECT_EQ(text.glyphs[i].frame, cells[i]);
        EXPECT_EQ(text.glyphs[i].order, 7);
        EXPECT_EQ(text.glyphs[i].offset, Vec2(static_cast<float>(i), 0.0f));
    }
    EXPECT_EQ(text.Text(), "10:2.5");
    text.SetText("3");
    ASSERT_EQ(text.glyphs.size(), 1u);
    EXPECT_EQ(text.glyphs[0].offset, Vec2(0.0f, 0.0f));
    EXPECT_EQ(SpriteText::CellOf(' '), ' ' - '0') << "not a cell of the sheet; the renderer skips it";
}

TEST(SpriteText, TheSystemShowsTheTimerReadoutEachTextChooses)
{
    test::GraphicsWorld graphics;
    graphics.Init();
    TimerSystem& timer = *graphics.world.registry.GetSystem<TimerSystem>();
    timer.time = 83.5f;
    timer.splits = {60.0f, 70.25f};
    std::vector<Entity> texts;
    for (int id : {0, 1, 2, 3, 4})
    {
        const Entity entity;
        graphics.Store().AddComponent<Transform>(entity);
        graphics.Store().AddComponent<SpriteText>(entity)->id = id;
        texts.push_back(entity);
    }
    SystemStore& systems = graphics.world.Systems();
    systems.GetSystem<SpriteTextSystem>()->Update(systems.GetEntityList<SpriteTextSystem>(), 0.0f);
    const std::vector<std::string> shown = {"0:13.250", "1:23.500", "1:00.000", "0:10.250", "0:13.250"};
    for (std::size_t i = 0; i < texts.size(); ++i)
    {
        EXPECT_EQ(graphics.Store().GetComponent<SpriteText>(texts[i])->Text(), shown[i]) << "id " << i;
    }
}

} // namespace
} // namespace kesto
