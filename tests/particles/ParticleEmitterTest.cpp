#include "particles/ParticleEmitter.h"

#include "particles/ParticleWorld.h"
#include "support/ComponentJson.h"
#include "support/HeadlessImGui.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

using Names = std::vector<std::string>;

Names NamesOf(const ParticleEmitter& emitter)
{
    Names names;
    for (const EmissionSlot& slot : emitter.emissions)
    {
        names.push_back(slot.emission.name);
    }
    return names;
}

class ParticleEmitterTest : public ::testing::Test
{
protected:
    ParticleEmitterTest() { w.AddTemplate("LightParticle"); }

    SystemRegistry* Registry() { return &w.world.registry; }
    std::string Log() { return w.world.trace->Text(); }

    test::ParticleWorld w;
};

TEST(ParticleEmitter, StartsWithOneUntitledEmissionAndAPendingWarmUp)
{
    const ParticleEmitter emitter;
    EXPECT_TRUE(emitter.needsUpdate);
    EXPECT_TRUE(emitter.prewarmPending);
    EXPECT_EQ(emitter.order, 0);
    EXPECT_EQ(emitter.depth, 0.0f);
    EXPECT_EQ(NamesOf(emitter), Names{"Untitled0"});
    EXPECT_GE(emitter.emissions[0].pool.capacity(), EmissionSlot::reservedParticles);
}

TEST_F(ParticleEmitterTest, ReadingTheCountReplacesTheEmissions)
{
    ParticleEmitter emitter;
    test::ReadJson(emitter,
                   R"({"Order": 4, "Depth": -0.5, "Emissions Count": 2,
                       "Emission0": {"Emission Name": "Ember", "Particle Speed": 50.0},
                       "Emission1": {"Emission Name": "Dash"}})",
                   Registry());
    EXPECT_EQ(emitter.order, 4);
    EXPECT_EQ(emitter.depth, -0.5f);
    EXPECT_EQ(NamesOf(emitter), (Names{"Ember", "Dash"}));
    EXPECT_EQ(emitter.FindEmission("Ember")->speed, 50.0f);
    EXPECT_NE(emitter.FindEmission("Dash")->particleTemplate, nullptr);
    EXPECT_EQ(emitter.FindEmission("Nothing"), nullptr);

    test::ReadJson(emitter, R"({"Order": 2})", Registry());
    EXPECT_EQ(emitter.order, 2);
    EXPECT_EQ(NamesOf(emitter), (Names{"Ember", "Dash"}));
    EXPECT_TRUE(Log().empty()) << Log();
}

TEST_F(ParticleEmitterTest, MissingUnnamedAndRepeatedEmissionsAreReportedAndSkipped)
{
    ParticleEmitter emitter;
    test::ReadJson(emitter, R"({"Emissions Count": 4, "Emission0": {"Emission Name": "Switch"},
                                "Emission1": {"Emission Name": "Switch"}, "Emission3": {"Emission Name": 5}})",
                   Registry());
    EXPECT_EQ(NamesOf(emitter), Names{"Switch"});
    EXPECT_NE(Log().find("Emission1 needs a unique"), std::string::npos) << Log();
    EXPECT_NE(Log().find("no object \"Emission2\""), std::string::npos) << Log();
    EXPECT_NE(Log().find("Emission3 needs a unique"), std::string::npos) << Log();
    EXPECT_EQ(w.world.trace->ReportCount(), 3u) << Log();
}

TEST(ParticleEmitter, MistypedKeysAreSkippedAndWriteReadsBack)
{
    ParticleEmitter emitter;
    test::ReadJson(emitter, R"({"Order": 1.0, "Depth": 1, "Emissions Count": "2"})");
    EXPECT_EQ(emitter.order, 0);
    EXPECT_EQ(emitter.depth, 0.0f);
    EXPECT_EQ(NamesOf(emitter), Names{"Untitled0"});

    emitter.order = 9;
    emitter.depth = 0.25f;
    emitter.emissions.clear();
    for (const char* name : {"Ember", "DashReset", "Switch"})
    {
        emitter.emissions.emplace_back().emission.name = name;
    }
    const ParticleEmitter copy = test::RoundTrip(emitter);
    EXPECT_EQ(copy.order, 9);
    EXPECT_EQ(copy.depth, 0.25f);
    EXPECT_EQ(NamesOf(copy), NamesOf(emitter));
}

TEST_F(ParticleEmitterTest, ReadingAnActiveEmissionWakesTheEmitter)
{
    ParticleEmitter emitter;
    emitter.needsUpdate = false;
    test::ReadJson(emitter, test::OneEmission(R"("Active": false)"), Registry());
    EXPECT_FALSE(emitter.needsUpdate);
    test::ReadJson(emitter, test::OneEmission(R"("Active": true)"), Registry());
    EXPECT_TRUE(emitter.needsUpdate);
}

TEST_F(ParticleEmitterTest, TheInspectorAddsUniquelyNamedEmissionsWithTheDefaultTemplate)
{
    test::HeadlessImGui gui;
    ParticleEmitter emitter;
    const auto draw = [&] { return emitter.Inspect(Registry()); };
    // Rows: "Draw Order", "Depth", "Add New Emission".
    EXPECT_TRUE(gui.Click(2, 20.0f, draw));
    EXPECT_TRUE(gui.Click(2, 20.0f, draw));
    EXPECT_EQ(NamesOf(emitter), (Names{"Untitled0", "Untitled1", "Untitled2"}));
    EXPECT_NE(emitter.FindEmission("Untitled2")->particleTemplate, nullptr);
    EXPECT_TRUE(emitter.needsUpdate);
    EXPECT_TRUE(Log().empty()) << Log();
}

} // namespace
} // namespace kesto
