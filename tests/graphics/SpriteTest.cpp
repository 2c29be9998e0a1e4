#include "graphics/Sprite.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "graphics/GraphicsWorld.h"
#include "graphics/Mesh.h"

#include <gtest/gtest.h>
#include <string>

namespace kesto
{
namespace
{

class SpriteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        graphics.Init();
        sheet = &graphics.AddSource("Sheet", 2, 4);
        glow = &graphics.AddSource("Glow", 1, 1, "Additive");
        normals = &graphics.AddSource("Normals", 1, 1);
    }

    Sprite Read(const std::string& json)
    {
        Sprite sprite;
        ReadInto(sprite, json);
        return sprite;
    }

    void ReadInto(Sprite& sprite, const std::string& json)
    {
        JsonReader reader;
        ASSERT_TRUE(reader.Parse(json, "sprite.json", graphics.world.trace));
        sprite.Read(reader, &graphics.world.registry);
    }

    test::GraphicsWorld graphics;
    SpriteSource* sheet = nullptr;
    SpriteSource* glow = nullptr;
    SpriteSource* normals = nullptr;
};

TEST_F(SpriteTest, DefaultsMatchAPlainOpaqueSprite)
{
    const Sprite sprite;
    EXPECT_EQ(sprite.alpha, 1.0f);
    EXPECT_EQ(sprite.diffuse, 1.0f);
    EXPECT_EQ(sprite.specular, 0.5f);
    EXPECT_EQ(sprite.shininess, 4.0f);
    EXPECT_EQ(sprite.crop, (Vec2{1.0f, 1.0f}));
    EXPECT_EQ(sprite.blendColor, (Vec3{1.0f, 1.0f, 1.0f}));
    EXPECT_EQ(sprite.shader, nullptr);
    EXPECT_FALSE(sprite.CanDraw());
    EXPECT_STREQ(sprite.TypeName(), "Sprite");
}

TEST_F(SpriteTest, ReadClampsItsRanges)
{
    const Sprite sprite = Read(R"({"alpha": 1.5, "shininess": 0.0, "depth": -3.0, "diffuse": -0.5, "specular": 2.0})");
    EXPECT_EQ(sprite.alpha, 1.0f);
    EXPECT_EQ(sprite.shininess, 1.0f);
    EXPECT_EQ(sprite.depth, -1.0f);
    EXPECT_EQ(sprite.diffuse, 0.0f);
    EXPECT_EQ(sprite.specular, 1.0f);
}

TEST_F(SpriteTest, ReadsEveryKey)
{
    const Sprite sprite = Read(R"({"mesh": [0.25, 0.5], "initialFrame": 5, "spriteSource": "Sheet",
        "normalSpriteSource": "Normals", "order": -7, "depth": 0.5, "flippedX": true, "flippedY": true,
        "crop": [0.5, 1.0], "offset": [2.0, 0.0], "blendColor": [0.1, 0.2, 0.3], "emissive": false})");
    EXPECT_EQ(sprite.mesh, &graphics.meshes->Get(0.25f, 0.5f));
    EXPECT_EQ(sprite.frame, 5);
    EXPECT_EQ(sprite.spriteSource, sheet);
    EXPECT_EQ(sprite.normalSource, normals);
    EXPECT_EQ(sprite.specularSource, nullptr);
    EXPECT_EQ(sprite.order, -7);
    EXPECT_EQ(sprite.depth, 0.5f);
    EXPECT_TRUE(sprite.flippedX);
    EXPECT_TRUE(sprite.flippedY);
    EXPECT_EQ(sprite.crop, (Vec2{0.5f, 1.0f}));
    EXPECT_EQ(sprite.offset, (Vec2{2.0f, 0.0f}));
    EXPECT_EQ(sprite.blendColor, (Vec3{0.1f, 0.2f, 0.3f}));
    EXPECT_EQ(sprite.shader, &graphics.shaders->Get("Texture"));
    EXPECT_TRUE(sprite.CanDraw());
    EXPECT_TRUE(sprite.HasMaps());
}

TEST_F(SpriteTest, EmissiveOrAdditiveSpritesUseTheEmissiveShader)
{
    EXPECT_EQ(Read(R"({"spriteSource": "Sheet", "emissive": true})").shader, &graphics.shaders->Get("Emissive"));
    EXPECT_EQ(Read(R"({"spriteSource": "Glow"})").shader, &graphics.shaders->Get("Emissive"));
    EXPECT_EQ(Read(R"({"spriteSource": "Sheet"})").shader, &graphics.shaders->Get("Texture"));
}

TEST_F(SpriteTest, AnOverrideOfEmissiveChoosesTheShaderAgain)
{
    Sprite sprite = Read(R"({"spriteSource": "Sheet"})");
    ReadInto(sprite, R"({"emissive": true})");
    EXPECT_EQ(sprite.shader, &graphics.shaders->Get("Emissive"));
    ReadInto(sprite, R"({"alpha": 0.5})");
    EXPECT_EQ(sprite.shader, &graphics.shaders->Get("Emissive"));
}

TEST_F(SpriteTest, UnknownSourceIsReportedAndLeavesNone)
{
    const Sprite sprite = Read(R"({"spriteSource": "Nowhere", "mesh": [1.0, 1.0]})");
    EXPECT_EQ(sprite.spriteSource, nullptr);
    EXPECT_FALSE(sprite.CanDraw());
    EXPECT_NE(graphics.world.trace->Text().find("sprite.json: Sprite spriteSource \"Nowhere\" is not in Art.json"),
              std::string::npos)
        << graphics.world.trace->Text();
}

TEST_F(SpriteTest, WithoutAMeshKeyTheSpriteGetsOneCellOfItsSheet)
{
    const Sprite sprite = Read(R"({"spriteSource": "Sheet"})");
    ASSERT_NE(sprite.mesh, nullptr);
    EXPECT_EQ(sprite.mesh->uExtent, 0.25f);
    EXPECT_EQ(sprite.mesh->vExtent, 0.5f);
}

TEST_F(SpriteTest, CellOffsetCountsRowsFromTheTop)
{
    Sprite sprite;
    sprite.spriteSource = sheet;
    sprite.frame = 5;
    EXPECT_EQ(sprite.CellOffset(), (Vec2{0.25f, 0.0f}));
    sprite.frame = 2;
    EXPECT_EQ(sprite.CellOffset(), (Vec2{0.5f, 0.5f}));
}

TEST_F(SpriteTest, CellOffsetMirrorsTheColumnWhenFlippedX)
{
    Sprite sprite;
    sprite.spriteSource = sheet;
    sprite.frame = 5;
    sprite.flippedX = true;
    EXPECT_EQ(sprite.CellOffset(), (Vec2{0.5f, 0.0f}));
    sprite.flippedX = false;
    sprite.flippedY = true;
    EXPECT_EQ(sprite.CellOffset(), (Vec2{0.25f, 0.5f}));
}

TEST_F(SpriteTest, CellOffsetWithoutADrawableSourceIsZero)
{
    Sprite sprite;
    sprite.frame = 3;
    EXPECT_EQ(sprite.CellOffset(), (Vec2{0.0f, 0.0f}));
    SpriteSource empty;
    sprite.spriteSource = &empty;
    EXPECT_EQ(sprite.CellOffset(), (Vec2{0.0f, 0.0f}));
}

TEST_F(SpriteTest, DepthBecomesShaderDistance)
{
    EXPECT_EQ(DepthToZ(0.5f, 2000.0f), 2000.0f);
    EXPECT_EQ(DepthToZ(0.0f, 2000.0f), 0.0f);
    EXPECT_EQ(DepthToZ(-1.0f, 2000.0f), -1000.0f);
}

TEST_F(SpriteTest, WrittenSpriteReadsBackEqual)
{
    const Sprite original = Read(R"({"mesh": [3.0, 1.0], "initialFrame": 2, "spriteSource": "Sheet",
        "normalSpriteSource": "Normals", "alpha": 0.25, "order": 4, "depth": -0.5, "flippedY": true,
        "crop": [0.5, 0.5], "offset": [1.0, 0.0], "blendColor": [0.5, 0.5, 1.0], "shininess": 9.0})");
    JsonWriter writer;
    writer.BeginObject("Sprite");
    original.Write(writer);
    writer.EndObject();
    const std::string text = writer.Finish();
    JsonReader reader;
    ASSERT_TRUE(reader.Parse(text, "written.json", graphics.world.trace));
    ASSERT_TRUE(reader.Enter("Sprite"));
    Sprite copy;
    copy.Read(reader, &graphics.world.registry);
    EXPECT_TRUE(copy.Equals(original)) << text;
    EXPECT_EQ(text.find("specularSpriteSource"), std::string::npos);
}

TEST_F(SpriteTest, CloneIsEqualAndIndependent)
{
    Sprite original = Read(R"({"spriteSource": "Sheet", "alpha": 0.5})");
    const auto clone = original.Clone();
    EXPECT_TRUE(clone->Equals(original));
    original.alpha = 0.75f;
    EXPECT_FALSE(clone->Equals(original));
    EXPECT_TRUE(original.NotEquals(*clone));
}

TEST_F(SpriteTest, UnlitWhenEmissiveOrOnAnAdditiveSheet)
{
    Sprite sprite;
    EXPECT_FALSE(sprite.IsUnlit());
    sprite.spriteSource = glow;
    EXPECT_TRUE(sprite.IsUnlit());
    sprite.spriteSource = sheet;
    sprite.emissive = true;
    EXPECT_TRUE(sprite.IsUnlit());
}

} // namespace
} // namespace kesto
