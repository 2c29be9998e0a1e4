#include "particles/Emission.h"

#include "ecs/JsonWriter.h"
#include "particles/EmissionModes.h"
#include "particles/EmitterShapes.h"
#include "particles/ParticleWorld.h"
#include "particles/SpecialEffects.h"
#include "support/HeadlessImGui.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace kesto
{
namespace
{

using test::OneEmission;

constexpr float pi = 3.1415927f;

class EmissionTest : public ::testing::Test
{
protected:
    EmissionTest()
    {
        w.AddTemplate("LightParticle");
        w.AddTemplate("Long");
    }

    Emission Read(const std::string& keys)
    {
        JsonReader reader;
        EXPECT_TRUE(reader.Parse("{" + keys + "}", "emission.json", w.world.trace)) << keys;
        Emission emission;
        emission.Read(reader, &w.world.registry);
        return emission;
    }

    static std::string Written(const Emission& emission)
    {
        JsonWriter writer;
        emission.Write(writer);
        return writer.Finish();
    }

    // Particles born by one update of an emitter of one emission with these keys, at (100, 200).
    std::vector<Particle> Born(const std::string& keys, int count)
    {
        const Entity e = w.Spawn(OneEmission(R"("Particle Template": "Long", "Emission Type": 1,
            "Emission Mode": {"Particles Per Burst": )" +
                                             std::to_string(count) + "}, " + keys),
                                 {100.0f, 200.0f});
        w.Step(0.0f);
        return w.Slot(e).pool;
    }

    std::string Log() { return w.world.trace->Text(); }

    test::ParticleWorld w;
};

TEST_F(EmissionTest, EveryPartWritesAndReadsBack)
{
    const Emission read = Read(R"("Emission Name": "Sparks", "Emission Type": 1,
        "Emission Mode": {"Particles Per Burst": 7, "Bursts amount": 4, "Bursts Per Second": 2.5},
        "Endless": false, "Dual Rotation": true, "Active": false, "Trail": true,
        "Particle Rotational Speed": 3.0, "Particle Speed": 250.0, "Rotation": 90.0, "Offset": [4.0, -6.0],
        "TrailBlendColor": [0.1, 0.2, 0.3, 0.4], "Particle Template": "Long",
        "Type": 2, "ShapeCone": {"Base": 12.0, "Height": 30.0, "Angle": 60.0, "Source": 2},
        "Effect Amount": 5,
        "Effect0": {"Effect Type": 1, "Sincronized": true, "Strength": 2.0, "Frequency": 3.0},
        "Effect1": {"Effect Type": 2, "Percent": 50.0},
        "Effect2": {"Effect Type": 3, "Percent": 25.0},
        "Effect3": {"Effect Type": 4, "Strength": 5.0, "Radius": 8.0, "Relative Position": [1.0, 2.0]},
        "Effect4": {"Effect Type": 5, "Time Ratio": 0.25, "Fade Mode": 1})");
    EXPECT_TRUE(Log().empty()) << Log();
    EXPECT_EQ(read.name, "Sparks");
    EXPECT_NEAR(read.rotation, pi / 2.0f, 1e-6f);
    EXPECT_EQ(read.particleTemplate, w.templates->Find("Long"));
    const auto* burst = dynamic_cast<const Emission::BurstEmission*>(read.mode.get());
    ASSERT_NE(burst, nullptr);
    EXPECT_EQ(burst->burstsAmount, 4);
    const auto* cone = dynamic_cast<const Emission::Cone*>(read.shape.get());
    ASSERT_NE(cone, nullptr);
    EXPECT_EQ(cone->source, 2);
    ASSERT_EQ(read.effects.size(), 5u);
    EXPECT_NEAR(dynamic_cast<const Emission::RandomSpeedInterval&>(*read.effects[1]).fraction, 0.5f, 1e-6f);
    EXPECT_EQ(dynamic_cast<const Emission::FadeInOut&>(*read.effects[4]).fadeMode, 1);

    const std::string text = Written(read);
    EXPECT_NE(text.find("\"Rotation\": 90.0"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Percent\": 50.0"), std::string::npos) << text;
    EXPECT_EQ(Written(Read(text.substr(1, text.size() - 2))), text);
    // The default speed spread is 20 times the speed, written as a percentage.
    EXPECT_NE(Written(Read(R"("Effect Amount": 1, "Effect0": {"Effect Type": 2})")).find("\"Percent\": 2000.0"),
              std::string::npos);
}

TEST_F(EmissionTest, TheInspectorDrawsEveryModeShapeAndEffectAndReportsNoChangeWithoutInput)
{
    test::HeadlessImGui gui;
    for (const char* parts : {R"("Emission Type": 0, "Type": 0, "Trail": true)", R"("Emission Type": 1, "Type": 1)",
                              R"("Emission Type": 0, "Type": 2)"})
    {
        SCOPED_TRACE(parts);
        Emission emission = Read(std::string(parts) + R"(, "Effect Amount": 5, "Effect0": {"Effect Type": 1},
            "Effect1": {"Effect Type": 2}, "Effect2": {"Effect Type": 3}, "Effect3": {"Effect Type": 4},
            "Effect4": {"Effect Type": 5})");
        for (SystemRegistry* registry : {static_cast<SystemRegistry*>(nullptr), &w.world.registry})
        {
            EXPECT_FALSE(gui.Frame([&] { return emission.Inspect(registry); }));
            EXPECT_FALSE(gui.Frame([&] { return emission.Inspect(registry); }));
        }
    }
    EXPECT_TRUE(Log().empty()) << Log();
}

TEST_F(EmissionTest, ACopyOwnsItsOwnParts)
{
    Emission original = Read(R"("Type": 1, "Effect Amount": 1, "Effect0": {"Effect Type": 4})");
    Emission copy = original;
    dynamic_cast<Emission::Sphere&>(*copy.shape).radius = 5.0f;
    dynamic_cast<Emission::Target&>(*copy.effects[0]).radius = 1.0f;
    EXPECT_EQ(dynamic_cast<Emission::Sphere&>(*original.shape).radius, 50.0f);
    EXPECT_EQ(dynamic_cast<Emission::Target&>(*original.effects[0]).radius, 25.0f);
}

struct ShapeCase
{
    const char* name;
    const char* keys;
    std::function<void(const Particle&)> check;
};

TEST_F(EmissionTest, ShapesPlaceAndAimTheirParticles)
{
    const Vec2 origin{100.0f, 200.0f};
    const auto heading = [](const Particle& p) { return p.velocity / p.velocity.Length(); };
    const ShapeCase cases[] = {
        {"cube inside, up", R"("Type": 0, "ShapeCube": {"Base": 40.0, "Source": 0})",
         [&](const Particle& p)
         {
             EXPECT_EQ(p.velocity, (Vec2{0.0f, 100.0f}));
             EXPECT_LE(std::fabs(p.position.x - origin.x), 20.0f);
             EXPECT_LE(std::fabs(p.position.y - origin.y - 1.0f), 20.0f);
         }},
        {"cube outside, turned a quarter to the right", R"("Rotation": 90.0, "ShapeCube": {"Base": 40.0, "Source": 1})",
         [&](const Particle& p)
         {
             EXPECT_NEAR(heading(p).x, 1.0f, 1e-5f);
             EXPECT_NEAR(p.position.x, origin.x + 20.0f, 1e-3f);
             EXPECT_LE(std::fabs(p.position.y - origin.y), 20.0f + 1e-3f);
         }},
        {"sphere inside", R"("Type": 1, "ShapeSphere": {"Radius": 50.0, "Origin": 0})",
         [&](const Particle& p)
         {
             const Vec2 out = p.position - origin;
             EXPECT_GE(out.Length(), 1.0f - 1e-3f);
             EXPECT_LE(out.Length(), 50.0f + 1e-3f);
             EXPECT_NEAR(Dot(out / out.Length(), heading(p)), 1.0f, 1e-4f);
         }},
        {"sphere rim", R"("Type": 1, "ShapeSphere": {"Radius": 50.0, "Origin": 1})",
         [&](const Particle& p) { EXPECT_NEAR((p.position - origin).Length(), 50.0f, 1e-3f); }},
        {"cone base", R"("Type": 2, "ShapeCone": {"Base": 10.0, "Angle": 45.0, "Source": 0})",
         [&](const Particle& p)
         {
             EXPECT_GE(heading(p).y, std::cos(pi / 4.0f) - 1e-5f);
             EXPECT_NEAR(p.position.y, origin.y, 1e-3f);
             // Where along the base a particle starts follows the side it heads to.
             EXPECT_NEAR(p.position.x - origin.x, std::asin(heading(p).x) / (pi / 4.0f) * 5.0f, 1e-3f);
         }},
        {"cone tip", R"("Type": 2, "ShapeCone": {"Base": 0.0, "Height": 30.0, "Source": 2})",
         [&](const Particle& p)
         {
             const Vec2 out = p.position - origin;
             EXPECT_NEAR(out.Length(), 30.0f, 1e-3f);
             EXPECT_NEAR(Dot(out / 30.0f, heading(p)), 1.0f, 1e-4f);
         }},
    };
    for (const ShapeCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        for (const Particle& p : Born(c.keys, 20))
        {
            c.check(p);
        }
    }
    EXPECT_TRUE(Log().empty()) << Log();
}

TEST_F(EmissionTest, EffectsChangeParticlesAtBirthAndAsTheyLive)
{
    // Random speed and size stay within their spreads.
    for (const Particle& p : Born(R"("Effect Amount": 2, "Effect0": {"Effect Type": 2, "Percent": 50.0},
                                     "Effect1": {"Effect Type": 3, "Percent": 50.0})",
                                  30))
    {
        EXPECT_GE(p.velocity.Length(), 100.0f - 1e-3f);
        EXPECT_LE(p.velocity.Length(), 150.0f + 1e-3f);
        EXPECT_EQ(p.scale.x, p.scale.y);
        EXPECT_GE(p.scale.x, 10.0f);
        EXPECT_LE(p.scale.x, 15.0f);
    }

    // Waving sways across the path only; synchronised particles sway together.
    const Entity waving = w.Spawn(OneEmission(R"("Particle Template": "Long", "Emission Type": 1,
        "Emission Mode": {"Particles Per Burst": 3}, "Effect Amount": 1,
        "Effect0": {"Effect Type": 1, "Sincronized": true, "Strength": 2.0, "Frequency": 1.0})"));
    w.Step(0.0f);
    const std::vector<Particle> before = w.Slot(waving).pool;
    w.Step(0.1f);
    for (std::size_t i = 0; i < 3; ++i)
    {
        const Particle& p = w.Slot(waving).pool[i];
        const Vec2 moved = p.position - before[i].position - before[i].velocity * 0.1f;
        EXPECT_NEAR(Dot(moved, p.velocity), 0.0f, 1e-2f);
        EXPECT_NEAR(moved.Length(),
                    std::fabs(std::sin(w.world.Systems().GetSystem<ParticleSystem>()->clock - 0.1f) * 2.0f), 1e-3f);
    }

    // A target pulls particles in and takes those that reach it.
    const Entity pulled = w.Spawn(OneEmission(R"("Particle Template": "Long", "Particle Speed": 0.0,
        "ShapeCube": {"Source": 2}, "Emission Type": 1, "Emission Mode": {"Particles Per Burst": 1},
        "Effect Amount": 1,
        "Effect0": {"Effect Type": 4, "Strength": 10.0, "Radius": 5.0, "Relative Position": [100.0, 0.0]})"));
    w.Step(0.0f);
    w.Step(0.0f);
    EXPECT_EQ(w.Slot(pulled).pool[0].acceleration, (Vec2{1000.0f, 0.0f}));
    w.Slot(pulled).pool[0].position = {97.0f, 0.0f};
    w.Step(0.0f);
    EXPECT_FALSE(w.Slot(pulled).pool[0].alive);
    EXPECT_EQ(w.Slot(pulled).liveCount, 0);
    // A long step that carries a particle through the target takes it too.
    w.Emitter(pulled).PlayEmission("E");
    w.Step(0.0f);
    w.Slot(pulled).pool[0].velocity = {2000.0f, 0.0f};
    w.Step(0.1f);
    EXPECT_EQ(w.Slot(pulled).liveCount, 0);
}

struct FadeCase
{
    float ratio;
    int mode;
    float age;
    float towardsEnd; // how far from the start colour to the end colour
};

TEST_F(EmissionTest, FadeInOutGoesToTheEndLookAtItsRatioAndBack)
{
    w.AddLook("Fading", {1.0f, 0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f, 1.0f}, {10.0f, 10.0f}, {20.0f, 20.0f});
    const FadeCase cases[] = {
        {0.5f, 0, 0.25f, 0.5f},
        {0.5f, 0, 0.5f, 1.0f},
        {0.5f, 0, 0.75f, 0.5f},
        // Back over the rest of the life, not over another quarter, which would overshoot.
        {0.25f, 0, 0.625f, 0.5f},
        {0.5f, 1, 0.5f, 1.0f},
    };
    for (const FadeCase& c : cases)
    {
        SCOPED_TRACE("ratio " + std::to_string(c.ratio) + " mode " + std::to_string(c.mode) + " age " +
                     std::to_string(c.age));
        const Entity e =
            w.Spawn(OneEmission(R"("Particle Template": "Fading", "Emission Type": 1,
            "Emission Mode": {"Particles Per Burst": 1}, "Endless": false, "Effect Amount": 1,
            "Effect0": {"Effect Type": 5, "Time Ratio": )" +
                                std::to_string(c.ratio) + R"(, "Fade Mode": )" + std::to_string(c.mode) + "}"));
        w.Step(0.0f);
        w.Slot(e).pool[0].life = 1.0f - c.age;
        w.Step(0.0f);
        const Particle& p = w.Slot(e).pool[0];
        EXPECT_NEAR(p.color.y, c.towardsEnd, 1e-4f);
        EXPECT_NEAR(p.scale.x, 10.0f + 10.0f * c.towardsEnd, 1e-3f);
        w.world.Store().DestroyEntity(e);
    }
    // Spherically, the colour turns along the arc between its ends: halfway between two at right angles it is
    // as long as they are, where a straight blend would be shorter.
    w.AddLook("Turning", {1.0f, 0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f, 0.0f}, {10.0f, 10.0f}, {20.0f, 20.0f});
    const Entity arc = w.Spawn(OneEmission(R"("Particle Template": "Turning", "Emission Type": 1,
        "Emission Mode": {"Particles Per Burst": 1}, "Effect Amount": 1,
        "Effect0": {"Effect Type": 5, "Time Ratio": 0.5, "Fade Mode": 1})"));
    w.Step(0.0f);
    w.Slot(arc).pool[0].life = 0.75f;
    w.Step(0.0f);
    const Vec4 c = w.Slot(arc).pool[0].color;
    EXPECT_NEAR(c.x, 0.70710678f, 1e-4f);
    EXPECT_NEAR(c.y, 0.70710678f, 1e-4f);
}

struct BadCase
{
    const char* keys;
    const char* reported; // part of the one line the read reports
    std::function<void(const Emission&)> check;
};

TEST_F(EmissionTest, BadValuesAreMendedWithOneLineEach)
{
    const BadCase cases[] = {
        {R"("Emission Mode": {"Particles Per Second": -5})", "\"Particles Per Second\" -5 is outside 0",
         [](const Emission& e)
         { EXPECT_EQ(dynamic_cast<const Emission::LifetimeEmission&>(*e.mode).particlesPerSecond, 0); }},
        {R"("Emission Mode": {"Lifetime": -2.0})", "emission \"Lifetime\" -2",
         [](const Emission& e) { EXPECT_EQ(dynamic_cast<const Emission::LifetimeEmission&>(*e.mode).lifetime, 0.0f); }},
        {R"("Emission Type": 1, "Emission Mode": {"Bursts amount": -3})", "\"Bursts amount\" -3",
         [](const Emission& e) { EXPECT_EQ(dynamic_cast<const Emission::BurstEmission&>(*e.mode).burstsAmount, 0); }},
        {R"("Emission Type": 1, "Emission Mode": {"Bursts Per Second": 1e39})", "\"Bursts Per Second\" inf",
         [](const Emission& e)
         { EXPECT_EQ(dynamic_cast<const Emission::BurstEmission&>(*e.mode).burstsPerSecond, 100000.0f); }},
        {R"("Particle Speed": -1e39)", "\"Particle Speed\" -inf",
         [](const Emission& e) { EXPECT_EQ(e.speed, -1.0e6f); }},
        {R"("Type": 2, "ShapeCone": {"Angle": 30.0})", "Cone \"Angle\" 30",
         [](const Emission& e) { EXPECT_EQ(dynamic_cast<const Emission::Cone&>(*e.shape).angle, 45.0f); }},
        {R"("Type": 1, "ShapeSphere": {"Origin": 1}, "Effect Amount": 0)", nullptr,
         [](const Emission& e) { EXPECT_EQ(dynamic_cast<const Emission::Sphere&>(*e.shape).origin, 1); }},
        {R"("Type": 1, "ShapeSphere": {"Origin": 5})", "Sphere \"Origin\" 5",
         [](const Emission& e) { EXPECT_EQ(dynamic_cast<const Emission::Sphere&>(*e.shape).origin, 0); }},
        {R"("Type": 0, "ShapeCube": {"Base": -10.0})", "Cube \"Base\" -10",
         [](const Emission& e) { EXPECT_EQ(dynamic_cast<const Emission::Cube&>(*e.shape).base, 0.0f); }},
        {R"("Emission Type": 7)", "\"Emission Type\" 7",
         [](const Emission& e) { EXPECT_EQ(e.mode->Type(), EmissionModeType::Lifetime); }},
        {R"("Type": 9)", "\"Type\" 9", [](const Emission& e) { EXPECT_EQ(e.shape->Type(), EmitterShapeType::Cube); }},
        {R"("Effect Amount": 1, "Effect0": {"Effect Type": 9})", "\"Effect Type\" 9",
         [](const Emission& e) { EXPECT_TRUE(e.effects.empty()); }},
        {R"("Effect Amount": 1, "Effect0": {"Effect Type": 3, "Percent": -40.0})", "effect \"Percent\" -40",
         [](const Emission& e)
         { EXPECT_EQ(dynamic_cast<const Emission::RandomSizes&>(*e.effects[0]).fraction, 0.0f); }},
        {R"("Effect Amount": 2000000000, "Effect0": {"Effect Type": 1})", "\"Effect Amount\" 2000000000",
         [](const Emission& e) { EXPECT_EQ(e.effects.size(), 1u); }},
        {R"("Particle Template": "Nope")", "particle template \"Nope\", which Particles.json does not have",
         [](const Emission& e) { EXPECT_EQ(e.particleTemplate, nullptr); }},
    };
    for (const BadCase& c : cases)
    {
        SCOPED_TRACE(c.keys);
        const std::size_t before = w.world.trace->ReportCount();
        const std::size_t logBefore = Log().size();
        const Emission emission = Read(c.keys);
        c.check(emission);
        const std::string log = Log().substr(logBefore);
        if (c.reported)
        {
            EXPECT_EQ(log.rfind("DATA: emission.json: ", 0), 0u) << log;
            EXPECT_NE(log.find(c.reported), std::string::npos) << log;
        }
        // The amount of 2000000000 is cut to the members the object has, then the absent ones are named.
        if (std::string(c.keys).find("2000000000") == std::string::npos)
        {
            EXPECT_EQ(w.world.trace->ReportCount() - before, c.reported ? 1u : 0u) << log;
        }
    }
}

TEST_F(EmissionTest, AnEmissionWithoutATemplateSpawnsNothing)
{
    const Entity e = w.Spawn(OneEmission(R"("Particle Template": "Missing")"));
    for (int i = 0; i < 10; ++i)
    {
        w.Step(0.1f);
    }
    EXPECT_EQ(w.Slot(e).liveCount, 0);
    EXPECT_TRUE(w.Slot(e).pool.empty());
    EXPECT_EQ(w.world.trace->ReportCount(), 1u) << Log();
}

} // namespace
} // namespace kesto
