#include "graphics/ShaderManager.h"

#include "engine/Trace.h"
#include "game/EngineDef.h"
#include "gl/GlWorld.h"

#include <algorithm>
#include <epoxy/gl.h>
#include <gtest/gtest.h>

namespace kesto
{
namespace
{

class ShaderManagerTest : public test::GlTest
{
protected:
    void SetUp() override
    {
        test::GlTest::SetUp();
        shaders.registry = &registry;
        shaders.folder = "tests/data/graphics/shaders/";
        shaders.Init();
    }

    bool Reported(const std::string& text) const { return trace.Text().find(text) != std::string::npos; }

    ShaderManager shaders;
};

TEST_F(ShaderManagerTest, FirstEntryOfANameIsKeptAndItsUniformsListed)
{
    const Shader& plain = shaders.Get("Plain");
    EXPECT_NE(plain.Program(), 0u);
    const auto has = [&plain](const std::string& name, unsigned type)
    {
        return std::any_of(plain.uniforms.begin(), plain.uniforms.end(),
                           [&](const Shader::Uniform& u) { return u.name == name && u.type == type; });
    };
    EXPECT_TRUE(has("MVP", GL_FLOAT_MAT3));
    EXPECT_TRUE(has("debugColor", GL_FLOAT_VEC3));
    EXPECT_EQ(plain.uniforms.size(), 2u);
    EXPECT_GE(plain.Location("MVP"), 0);
    EXPECT_EQ(plain.Location("MVP"), plain.Location("MVP"));
    EXPECT_EQ(plain.Location("nothing"), -1);
}

TEST_F(ShaderManagerTest, CompileAndLinkFailuresAreReportedWithTheDriversLog)
{
    EXPECT_TRUE(shaders.Has("Broken"));
    EXPECT_TRUE(Reported("GRAPHICS: tests/data/graphics/shaders/Broken.frag: compile failed: ")) << trace.Text();
    EXPECT_TRUE(Reported("undefinedName")) << trace.Text();
    EXPECT_TRUE(Reported("GRAPHICS: Broken: link failed")) << trace.Text();
}

TEST_F(ShaderManagerTest, MissingSourceFileAndIncompleteEntryAreReported)
{
    EXPECT_TRUE(
        Reported("DATA: tests/data/graphics/shaders/Nowhere.vert: cannot read the vertex shader of \"Missing\""))
        << trace.Text();
    EXPECT_TRUE(Reported("a Shader entry lacks \"name\", \"vertPath\" or \"fragPath\"; skipped")) << trace.Text();
    EXPECT_FALSE(shaders.Has("Ignored"));
}

TEST_F(ShaderManagerTest, UnknownNameIsAnError) { EXPECT_THROW(shaders.Get("Nowhere"), MissingShaderError); }

TEST_F(ShaderManagerTest, GameShadersAndEveryLitVariantLinkWithTheBatchInterface)
{
    ShaderManager game(EngineDef{}.assetRoot);
    game.registry = &registry;
    const std::size_t before = trace.Text().size();
    game.Init();
    for (const char* name : {"Texture", "Emissive", "Screen", "Video", "DebugLine"})
    {
        EXPECT_NE(game.Get(name).Program(), 0u) << name;
    }
    EXPECT_EQ(game.Get("Emissive").Location("ambient"), -1);
    for (const char* features :
         {"", "\n#define HAS_NORMAL_MAP 1", "\n#define HAS_SPECULAR_MAP 1",
          "\n#define HAS_NORMAL_MAP 1\n#define HAS_SPECULAR_MAP 1", "\n#define KEEP_DESTINATION 1"})
    {
        for (int slots = 0; slots <= 8; ++slots)
        {
            const std::string defines = "#define LIGHT_SLOTS " + std::to_string(slots) + features;
            const Shader& variant = game.Variant("Texture", defines);
            EXPECT_GE(variant.Location("ambient"), 0) << defines;
            EXPECT_EQ(variant.Location("lights") >= 0, slots > 0) << defines;
            EXPECT_EQ(&variant, &game.Variant("Texture", defines));
        }
    }
    EXPECT_GE(game.Variant("Texture", "#define LIGHT_SLOTS 1\n#define HAS_NORMAL_MAP 1").Location("normalMap"), 0);
    EXPECT_EQ(game.Variant("Texture", "#define LIGHT_SLOTS 2").Location("normalMap"), -1);
    EXPECT_EQ(trace.Text().substr(before), "");
    EXPECT_THROW(game.Variant("Nowhere", ""), MissingShaderError);
}

} // namespace
} // namespace kesto
