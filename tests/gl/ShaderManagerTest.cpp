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

TEST_F(ShaderManagerTest, GameShadersAllLinkWithTheUniformsTheSpritesSet)
{
    ShaderManager game(EngineDef{}.assetRoot);
    game.registry = &registry;
    const std::size_t before = trace.Text().size();
    game.Init();
    EXPECT_EQ(trace.Text().substr(before), "");
    for (const char* name : {"Texture", "TextureFlat", "Emissive", "Screen", "Video", "DebugLine"})
    {
        EXPECT_NE(game.Get(name).Program(), 0u) << name;
    }
    const Shader& texture = game.Get("Texture");
    for (SpriteUniform u : {SpriteUniform::Tex, SpriteUniform::UvOffset, SpriteUniform::Model, SpriteUniform::ProjView,
                            SpriteUniform::ZPos, SpriteUniform::NormalMap, SpriteUniform::Shininess})
    {
        EXPECT_GE(texture.Location(u), 0) << static_cast<int>(u);
    }
    EXPECT_GE(texture.Location("lights[3].quadratic"), 0);
}

} // namespace
} // namespace kesto
