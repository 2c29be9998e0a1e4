#include "particles/ParticleEmitter.h"

#include "support/ComponentJson.h"

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

TEST(ParticleEmitter, StartsWithOneUntitledEmissionAndAPendingWarmUp)
{
    const ParticleEmitter emitter;
    EXPECT_TRUE(emitter.needsUpdate);
    EXPECT_TRUE(emitter.prewarmPending);
    EXPECT_EQ(emitter.order, 0);
    EXPECT_EQ(emitter.depth, 0.0f);
    EXPECT_EQ(NamesOf(emitter), Names{"Untitled0"});
}

TEST(ParticleEmitter, ReadingTheCountReplacesTheEmissions)
{
    ParticleEmitter emitter;
    test::ReadJson(emitter, R"({"Order": 4, "Depth": -0.5, "Emissions Count": 2,
                                "Emission0": {"Emission Name": "Ember", "Particle Speed": 50.0},
                                "Emission1": {"Emission Name": "Dash"}})");
    EXPECT_EQ(emitter.order, 4);
    EXPECT_EQ(emitter.depth, -0.5f);
    EXPECT_EQ(NamesOf(emitter), (Names{"Ember", "Dash"}));

    test::ReadJson(emitter, R"({"Order": 2})");
    EXPECT_EQ(emitter.order, 2);
    EXPECT_EQ(NamesOf(emitter), (Names{"Ember", "Dash"}));
}

TEST(ParticleEmitter, MissingUnnamedAndRepeatedEmissionsAreReportedAndSkipped)
{
    test::QuietTrace quiet;
    ParticleEmitter emitter;
    test::ReadJson(emitter, R"({"Emissions Count": 4, "Emission0": {"Emission Name": "Switch"},
                                "Emission1": {"Emission Name": "Switch"}, "Emission3": {"Emission Name": 5}})",
                   &quiet.registry);
    EXPECT_EQ(NamesOf(emitter), Names{"Switch"});
    const std::string log = quiet.trace->Text();
    EXPECT_NE(log.find("Emission1 needs a unique"), std::string::npos) << log;
    EXPECT_NE(log.find("no object \"Emission2\""), std::string::npos) << log;
    EXPECT_NE(log.find("Emission3 needs a unique"), std::string::npos) << log;
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

} // namespace
} // namespace kesto
