#include "graphics/Sprite.h"
#include "graphics/SpriteSourceManager.h"
#include "particles/ParticleWorld.h"

#include <gtest/gtest.h>
#include <string>

namespace kesto
{
namespace
{

using test::OneEmission;
using test::ParticleWorld;

constexpr float frame = 1.0f / 60.0f;

struct RateCase
{
    int perSecond;
    float dt;
    int updates;
    int fewest; // particles born over all updates
    int most;
    int mostInOneUpdate;
};

TEST(ParticleSystem, ContinuousRatesGiveTheirParticlesPerUpdate)
{
    const RateCase cases[] = {
        {10, 0.016f, 100, 16, 17, 1},        // one every 0.1 s, never two in a frame
        {120, 0.016f, 100, 100, 100, 1},     // trunc(1.92): one a frame
        {200, 0.016f, 50, 150, 150, 3},      // trunc(3.2)
        {10, 0.5f, 10, 10, 10, 1},           // long frames still give at most one
        {60, 1.0f / 120.0f, 120, 59, 61, 1}, // substeps: every second one, where trunc(0.5) would give none at all
    };
    for (const RateCase& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.perSecond) + " a second at dt " + std::to_string(c.dt));
        ParticleWorld w;
        w.AddTemplate("Long");
        const Entity e =
            w.Spawn(OneEmission(R"("Particle Template": "Long", "Emission Mode": {"Particles Per Second": )" +
                                std::to_string(c.perSecond) + "}"));
        int total = 0;
        int mostInOne = 0;
        int lastBirth = -1;
        for (int i = 0; i < c.updates; ++i)
        {
            const int before = w.Slot(e).liveCount;
            w.Step(c.dt);
            const int born = w.Slot(e).liveCount - before;
            total += born;
            mostInOne = std::max(mostInOne, born);
            if (c.perSecond == 10 && c.dt == 0.016f && born > 0)
            {
                // 0.1 s is 6.25 frames: births come 6 or 7 frames apart.
                EXPECT_TRUE(lastBirth < 0 || i - lastBirth == 6 || i - lastBirth == 7) << "frame " << i;
                lastBirth = i;
            }
        }
        EXPECT_GE(total, c.fewest);
        EXPECT_LE(total, c.most);
        EXPECT_EQ(mostInOne, c.mostInOneUpdate);
    }
}

TEST(ParticleSystem, ThreeBurstsOfTenAtOneASecondThenTheEmissionTurnsOff)
{
    ParticleWorld w;
    w.AddTemplate("Long");
    const Entity e = w.Spawn(OneEmission(R"("Particle Template": "Long", "Endless": false, "Emission Type": 1,
        "Emission Mode": {"Particles Per Burst": 10, "Bursts amount": 3, "Bursts Per Second": 1.0})"));
    std::vector<float> burstTimes;
    for (int i = 0; i < 250; ++i)
    {
        const int before = w.Slot(e).liveCount;
        w.Step(0.016f);
        const int born = w.Slot(e).liveCount - before;
        if (born > 0)
        {
            EXPECT_EQ(born, 10) << "frame " << i;
            burstTimes.push_back(static_cast<float>(i) * 0.016f);
        }
    }
    ASSERT_EQ(burstTimes.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
    {
        EXPECT_NEAR(burstTimes[i], static_cast<float>(i), 0.016f);
    }
    EXPECT_FALSE(w.Slot(e).emission.active);
    EXPECT_EQ(w.Slot(e).liveCount, 30);
}

TEST(ParticleSystem, WarmUpRunsThirteenSecondsOfTheEndlessActiveEmissions)
{
    const std::string json = R"({"Emissions Count": 3,
        "Emission0": {"Emission Name": "Stream", "Particle Template": "Long"},
        "Emission1": {"Emission Name": "Once", "Particle Template": "Long", "Endless": false},
        "Emission2": {"Emission Name": "Off", "Particle Template": "Long", "Active": false}})";
    // A frame of 0 warms up in 780 steps of 1/60 s; a frame of 0.05 s in 260 of its own length.
    for (const auto& [dt, step, steps] : {std::tuple{0.0f, frame, 780}, std::tuple{0.05f, 0.05f, 260}})
    {
        SCOPED_TRACE("dt " + std::to_string(dt));
        ParticleWorld warmed;
        warmed.AddTemplate("Long");
        const Entity a = warmed.Spawn(json, {}, true);
        warmed.Step(dt);
        EXPECT_FALSE(warmed.Emitter(a).prewarmPending);

        ParticleWorld stepped;
        stepped.AddTemplate("Long");
        const Entity b = stepped.Spawn(json);
        for (int i = 0; i < steps; ++i)
        {
            stepped.Step(step);
        }
        stepped.Step(dt);

        EXPECT_EQ(warmed.Slot(a, 0).liveCount, stepped.Slot(b, 0).liveCount);
        EXPECT_NEAR(warmed.Slot(a, 0).liveCount, 131, 1);
        // Only the frame's own update reached the emission that runs out and the one that is off.
        EXPECT_EQ(warmed.Slot(a, 1).liveCount, 1);
        EXPECT_EQ(warmed.Slot(a, 2).liveCount, 0);
    }
}

TEST(ParticleSystem, DeadSlotsAreReusedBeforeThePoolGrows)
{
    ParticleWorld w;
    w.AddTemplate("Short", 0.3f);
    // Three every 0.2 s living 0.3 s: at most six alive at once, and each burst after the second finds three dead.
    const Entity e = w.Spawn(OneEmission(R"("Particle Template": "Short", "Emission Type": 1,
        "Emission Mode": {"Particles Per Burst": 3, "Bursts Per Second": 5.0})"));
    const Particle* storage = nullptr;
    for (int i = 0; i < 200; ++i)
    {
        w.Step(0.02f);
        EXPECT_LE(w.Slot(e).pool.size(), 6u) << "frame " << i;
        if (i == 30)
        {
            storage = w.Slot(e).pool.data();
        }
    }
    EXPECT_EQ(w.Slot(e).pool.size(), 6u);
    // Once it has grown to what the emission needs, the pool is never reallocated.
    EXPECT_EQ(w.Slot(e).pool.data(), storage);

    // A particle that dies in an update leaves its slot to a newborn of the same update.
    w.AddTemplate("Blink", 0.05f);
    const Entity blink = w.Spawn(OneEmission(R"("Particle Template": "Blink", "Emission Type": 1,
        "Emission Mode": {"Particles Per Burst": 3, "Bursts Per Second": 10.0})"));
    for (int i = 0; i < 20; ++i)
    {
        w.Step(0.1f);
        EXPECT_EQ(w.Slot(blink).liveCount, 3);
    }
    EXPECT_EQ(w.Slot(blink).pool.size(), 3u);
}

struct LifeCase
{
    float age;
    Vec4 color;
    Vec2 scale;
};

TEST(ParticleSystem, ColourAndScaleFollowTheTemplateOverLife)
{
    ParticleWorld w;
    w.AddLook("Fade", {1.0f, 0.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 1.0f, 0.0f}, {10.0f, 10.0f}, {30.0f, 50.0f});
    const std::string once = R"("Particle Template": "Fade", "Particle Speed": 0.0, "Endless": false,
        "Emission Type": 1, "Emission Mode": {"Particles Per Burst": 1})";
    const Entity plain = w.Spawn(OneEmission(once));
    // Trail particles keep their colour and only fade.
    const Entity trail = w.Spawn(OneEmission(once + R"(, "Trail": true)"));
    w.Step(0.0f);

    const LifeCase cases[] = {
        {0.25f, {0.75f, 0.0f, 0.25f, 0.75f}, {15.0f, 20.0f}},
        {0.5f, {0.5f, 0.0f, 0.5f, 0.5f}, {20.0f, 30.0f}},
        {0.75f, {0.25f, 0.0f, 0.75f, 0.25f}, {25.0f, 40.0f}},
    };
    for (const LifeCase& c : cases)
    {
        SCOPED_TRACE("age " + std::to_string(c.age));
        w.Step(0.25f);
        const Particle& p = w.Slot(plain).pool[0];
        EXPECT_NEAR(p.color.x, c.color.x, 1e-5f);
        EXPECT_NEAR(p.color.z, c.color.z, 1e-5f);
        EXPECT_NEAR(p.color.w, c.color.w, 1e-5f);
        EXPECT_NEAR(p.scale.x, c.scale.x, 1e-4f);
        EXPECT_NEAR(p.scale.y, c.scale.y, 1e-4f);
        const Particle& t = w.Slot(trail).pool[0];
        EXPECT_EQ(t.color.x, 1.0f);
        EXPECT_EQ(t.color.z, 0.0f);
        EXPECT_NEAR(t.color.w, c.color.w, 1e-5f);
    }
    w.Step(0.3f);
    EXPECT_EQ(w.Slot(plain).liveCount, 0);
    EXPECT_FALSE(w.Slot(plain).pool[0].alive);
}

TEST(ParticleSystem, GravityPullsHarderEveryUpdateItLives)
{
    ParticleWorld w;
    ParticleTemplate look;
    look.name = "Heavy";
    look.gravity = true;
    look.gravityForce = 2.0f;
    w.templates->Add(look);
    const Entity e = w.Spawn(OneEmission(R"("Particle Template": "Heavy", "Particle Speed": 0.0, "Endless": false,
        "Emission Type": 1, "Emission Mode": {"Particles Per Burst": 1})"));
    w.Step(frame);
    float velocity = 0.0f;
    for (int update = 1; update <= 4; ++update)
    {
        w.Step(frame);
        const Particle& p = w.Slot(e).pool[0];
        EXPECT_FLOAT_EQ(p.acceleration.y, -2.0f * static_cast<float>(update));
        velocity += -2.0f * static_cast<float>(update) * frame;
        EXPECT_NEAR(p.velocity.y, velocity, 1e-5f);
    }
}

TEST(ParticleSystem, TrailParticlesFillThePathTheEntityMovedWithItsCell)
{
    ParticleWorld w;
    w.AddTemplate("Ghost");
    SpriteSource& sheet = w.world.registry.GetSystem<SpriteSourceManager>()->sources["Dash"];
    sheet.name = "Dash";
    sheet.rows = 2;
    sheet.columns = 4;
    // 180 a second at 1/60 s: three newborns an update.
    const Entity e = w.Spawn(OneEmission(R"("Particle Template": "Ghost", "Trail": true, "Offset": [0.0, 5.0],
        "Emission Mode": {"Particles Per Second": 180})"));
    auto* sprite = w.world.Store().AddComponent<Sprite>(e);
    sprite->spriteSource = &sheet;
    sprite->frame = 2;
    sprite->flippedX = true;
    Transform& transform = w.TransformOf(e);
    transform.SetRotation(0.5f);
    for (float from : {0.0f, 30.0f})
    {
        SCOPED_TRACE("from " + std::to_string(from));
        transform.SetPreviousTranslation({from, 0.0f});
        transform.SetTranslation({from + 30.0f, 0.0f});
        const int before = w.Slot(e).liveCount;
        w.Step(frame);
        ASSERT_EQ(w.Slot(e).liveCount - before, 3);
        for (int n = 1; n <= 3; ++n)
        {
            const Particle& p = w.Slot(e).pool[static_cast<std::size_t>(before + n - 1)];
            EXPECT_NEAR(p.position.x, from + 10.0f * static_cast<float>(n), 1e-4f);
            EXPECT_NEAR(p.position.y, 5.0f, 1e-5f);
            EXPECT_EQ(p.rotation, 0.5f);
            EXPECT_EQ(p.uvOffset, sprite->CellOffset());
            EXPECT_TRUE(p.flippedX);
            EXPECT_FALSE(p.flippedY);
        }
    }
}

TEST(ParticleSystem, AnEmitterWithNothingToDoSleepsUntilAnEmissionIsPlayed)
{
    ParticleWorld w;
    w.AddTemplate("Short", 0.1f);
    const Entity e = w.Spawn(OneEmission(R"("Particle Template": "Short", "Active": false, "Endless": false,
        "Emission Type": 1, "Emission Mode": {"Particles Per Burst": 4})"));
    w.Step(frame);
    EXPECT_FALSE(w.Emitter(e).needsUpdate);
    w.Step(frame);
    EXPECT_EQ(w.Slot(e).liveCount, 0);

    w.Emitter(e).PlayEmission("E");
    w.Emitter(e).PlayEmission("NoSuchEmission");
    EXPECT_TRUE(w.Emitter(e).needsUpdate);
    w.Step(frame);
    EXPECT_EQ(w.Slot(e).liveCount, 4);
    // The burst is spent and its particles die: the emitter sleeps again.
    for (int i = 0; i < 10; ++i)
    {
        w.Step(frame);
    }
    EXPECT_EQ(w.Slot(e).liveCount, 0);
    EXPECT_FALSE(w.Slot(e).emission.active);
    EXPECT_FALSE(w.Emitter(e).needsUpdate);
}

TEST(ParticleSystem, NothingIsSimulatedInEditorMode)
{
    ParticleWorld w;
    w.AddTemplate("Long");
    const Entity e = w.Spawn(OneEmission(R"("Particle Template": "Long")"));
    w.Step(frame);
    const Vec2 at = w.Slot(e).pool[0].position;
    w.world.Systems().editorMode = true;
    w.Step(frame);
    EXPECT_EQ(w.Slot(e).liveCount, 1);
    EXPECT_EQ(w.Slot(e).pool[0].position, at);
}

TEST(ParticleSystem, APoolStopsGrowingAtItsLimitAndSaysSoOnce)
{
    ParticleWorld w;
    w.AddTemplate("Long");
    const Entity e = w.Spawn(OneEmission(R"("Particle Template": "Long", "Emission Type": 1,
        "Emission Mode": {"Particles Per Burst": 6000, "Bursts Per Second": 60.0})"));
    for (int i = 0; i < 4; ++i)
    {
        w.Step(frame);
    }
    EXPECT_EQ(w.Slot(e).liveCount, static_cast<int>(EmissionSlot::maxParticles));
    EXPECT_EQ(w.Slot(e).pool.size(), EmissionSlot::maxParticles);
    EXPECT_EQ(w.world.trace->ReportCount(), 1u) << w.world.trace->Text();
    EXPECT_NE(w.world.trace->Text().find("emission \"E\" holds 10000 particles"), std::string::npos);
}

} // namespace
} // namespace kesto
