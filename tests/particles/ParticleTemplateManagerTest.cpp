#include "particles/ParticleTemplateManager.h"

#include "graphics/GraphicsWorld.h"

#include <gtest/gtest.h>
#include <sstream>

namespace kesto
{
namespace
{

class ParticleTemplates : public ::testing::Test
{
protected:
    ParticleTemplates()
    {
        graphics.AddSource("Dot", 1, 1);
        manager.registry = &graphics.world.registry;
        manager.folder = KESTO_TEST_DATA "/particles/";
        manager.Init();
    }

    const ParticleTemplate& Get(const std::string& name)
    {
        const ParticleTemplate* found = manager.Find(name);
        EXPECT_NE(found, nullptr) << name;
        static const ParticleTemplate none;
        return found ? *found : none;
    }

    test::GraphicsWorld graphics;
    ParticleTemplateManager manager;
};

TEST_F(ParticleTemplates, EveryKeyIsReadAndTheScaleRateComesFromTheLifetime)
{
    const ParticleTemplate& spark = Get("Spark");
    EXPECT_EQ(spark.spriteSource, graphics.sources->Find("Dot"));
    EXPECT_EQ(spark.shader, &graphics.shaders->Get("Texture"));
    EXPECT_EQ(spark.mesh, &graphics.meshes->Get(0.5f, 1.0f));
    EXPECT_EQ(spark.lifetime, 2.0f);
    EXPECT_TRUE(spark.gravity);
    EXPECT_EQ(spark.gravityForce, 3.0f);
    EXPECT_EQ(spark.startColor, (Vec4{1.0f, 0.5f, 0.25f, 1.0f}));
    EXPECT_EQ(spark.endColor, (Vec4{0.0f, 0.0f, 1.0f, 0.0f}));
    EXPECT_EQ(spark.scaleRate, (Vec2{10.0f, -5.0f}));
    EXPECT_EQ(Get("Steady").shader, &graphics.shaders->Get("Emissive"));
    // Without an end colour a particle keeps its start colour for life.
    EXPECT_EQ(Get("Steady").endColor, Get("Steady").startColor);
    // A lifetime of 0 gives a rate of (1, 1), not a division by zero.
    EXPECT_EQ(Get("Instant").scaleRate, (Vec2{1.0f, 1.0f}));
    EXPECT_EQ(manager.Names(),
              (std::vector<std::string>{"Backwards", "Flat", "Huge", "Instant", "Spark", "Steady", "Unseen"}));
}

TEST_F(ParticleTemplates, BadEntriesAreMendedOrSkippedWithOneLineEach)
{
    EXPECT_EQ(Get("Spark").lifetime, 2.0f); // the first of two is kept
    EXPECT_EQ(Get("Backwards").lifetime, 0.0f);
    EXPECT_EQ(Get("Huge").startScale, (Vec2{1.0e6f, 0.0f}));
    EXPECT_EQ(Get("Flat").meshExtents, (Vec2{1.0f, 1.0f}));
    EXPECT_EQ(Get("Unseen").spriteSource, nullptr);
    EXPECT_EQ(Get("Unseen").shader, nullptr);

    const std::string log = graphics.world.trace->Text();
    const std::string file = KESTO_TEST_DATA "/particles/Particles.json";
    const char* expected[] = {
        "ParticleTemplate \"Spark\" is defined again; the first is kept",
        "a ParticleTemplate has no \"Name\"; skipped",
        "ParticleTemplate \"Backwards\" \"Lifetime\" -4 is outside 0 to 3600; read as 0",
        "ParticleTemplate \"Huge\" \"Start Scale\" inf is outside 0 to 1e+06; read as 1e+06",
        "ParticleTemplate \"Huge\" \"Start Scale\" -2 is outside 0 to 1e+06; read as 0",
        "ParticleTemplate \"Flat\" \"Mesh\" needs two positive extents; read as [1, 1]",
        "ParticleTemplate \"Unseen\" \"SpriteSource\" \"NoSuchArt\" is not in Art.json",
        "ParticleTemplate \"Unseen\" \"Shader\" \"NoSuchShader\" is not in Shaders.json",
    };
    for (const char* line : expected)
    {
        EXPECT_NE(log.find("DATA: " + file + ": " + line), std::string::npos) << line << "\n" << log;
    }
    EXPECT_EQ(graphics.world.trace->ReportCount(), std::size(expected)) << log;
}

TEST(ParticleTemplateManager, AMissingFileIsReportedAndLeavesNoTemplates)
{
    test::GraphicsWorld graphics;
    ParticleTemplateManager manager;
    manager.registry = &graphics.world.registry;
    manager.folder = KESTO_TEST_DATA "/nowhere/";
    manager.Init();
    EXPECT_TRUE(manager.Names().empty());
    EXPECT_EQ(graphics.world.trace->ReportCount(), 1u);
    EXPECT_NE(graphics.world.trace->Text().find("Particles.json"), std::string::npos);
}

} // namespace
} // namespace kesto
