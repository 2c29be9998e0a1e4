#include "gameplay/ActorWorld.h"

#include <gtest/gtest.h>
#include <vector>

namespace kesto
{
namespace
{

constexpr float frame = test::ActorWorld::frame;

struct Lasers : ::testing::Test
{
    Laser& Beam(const Entity& e) { return w.Get<Laser>(e); }
    bool Deadly(const Entity& e) { return !w.Get<Collider>(e).disabled; }
    float Alpha(const Entity& e) { return w.Get<Sprite>(e).alpha; }

    test::ActorWorld w;
};

TEST_F(Lasers, ALaserReadSwitchedOnIsFullyOnAndDeadlyAtOnce)
{
    const Entity laser = w.AddLaser({1000.0f, 1000.0f});
    w.Step();
    EXPECT_EQ(Beam(laser).charge, 1.0f);
    EXPECT_TRUE(Deadly(laser));
    EXPECT_EQ(Alpha(laser), 1.0f);
}

TEST_F(Lasers, SwitchedBackOnItFadesInOverTheChargeTimeAndOnlyThenKills)
{
    const Entity laser = w.AddLaser({1000.0f, 1000.0f});
    Beam(laser).onOff = false;
    w.Step();
    EXPECT_FALSE(Deadly(laser));
    EXPECT_EQ(Alpha(laser), 0.0f);
    EXPECT_EQ(w.Sheet(laser), "LaserStartupN001");
    Beam(laser).onOff = true;
    float time = 0.0f;
    while (!Deadly(laser) && time < 2.0f)
    {
        w.Step();
        time += frame;
        if (std::abs(time - 0.5f) < frame / 2.0f)
        {
            EXPECT_NEAR(Alpha(laser), 0.5f, 1e-3f);
            // The beam grows to half its length by the end of the charge.
            EXPECT_NEAR(w.Get<Transform>(laser).GetScale().y, 0.5f * 0.5f * 400.0f, 0.5f);
        }
    }
    EXPECT_NEAR(time, 1.0f, 1.5f * frame);
    EXPECT_EQ(w.Sheet(laser), "LaserN001");
    EXPECT_EQ(w.Get<Transform>(laser).GetScale(), (Vec2{400.0f, 400.0f}));
    const auto& parameters = w.Get<SoundEmitter>(laser).parameterQueue;
    ASSERT_FALSE(parameters.empty());
    EXPECT_EQ(parameters.back().parameterName, "parameter:/Laser_OnOff");
    EXPECT_EQ(parameters.back().value, 0.0f);
}

TEST_F(Lasers, APatrollingLaserGoesBackAndForthAndHaltsOneFrameAtEachPoint)
{
    const Entity laser = w.AddLaser({0.0f, 1000.0f});
    Beam(laser).patrolOn = true;
    Beam(laser).speed = 600.0f;
    Beam(laser).patrolPoints = {{0.0f, 1000.0f}, {300.0f, 1000.0f}};
    std::vector<float> halts;
    int haltFrames = 0;
    for (int i = 0; i < 240; ++i)
    {
        w.Step();
        if (w.Get<Rigidbody>(laser).velocity == Vec2{})
        {
            ++haltFrames;
            halts.push_back(w.Get<Transform>(laser).GetTranslation().x);
        }
    }
    ASSERT_GE(halts.size(), 4u);
    EXPECT_EQ(haltFrames, static_cast<int>(halts.size()));
    for (std::size_t i = 0; i < halts.size(); ++i)
    {
        EXPECT_NEAR(halts[i], i % 2 == 0 ? 0.0f : 300.0f, arrivalDistance) << "halt " << i;
    }
    // Never two halts in a row: a stop lasts one frame.
    EXPECT_LE(static_cast<int>(halts.size()), 240 / 2);
}

TEST_F(Lasers, TheTimerPulsesOnForTimeThenOffThenOnForChargeAndTime)
{
    const Entity laser = w.AddLaser({1000.0f, 1000.0f});
    Laser& beam = Beam(laser);
    beam.timerOn = true;
    beam.time = 0.5f;
    beam.timer = 0.5f;
    beam.offTime = 0.25f;
    beam.chargeTime = 0.25f;
    beam.delay = 0.25f;
    std::vector<std::pair<bool, float>> phases; // deadly or not, and for how long
    for (int i = 0; i < 180; ++i)
    {
        w.Step();
        const bool deadly = Deadly(laser);
        if (phases.empty() || phases.back().first != deadly)
        {
            phases.emplace_back(deadly, 0.0f);
        }
        phases.back().second += frame;
    }
    ASSERT_GE(phases.size(), 5u);
    // The delay, then the first on phase of "Time", the off phase with the charge-up, the later on phases.
    EXPECT_TRUE(phases[0].first);
    EXPECT_NEAR(phases[0].second, 0.25f + 0.5f, 2.5f * frame);
    EXPECT_FALSE(phases[1].first);
    EXPECT_NEAR(phases[1].second, 0.25f + 0.25f, 2.5f * frame);
    EXPECT_TRUE(phases[2].first);
    EXPECT_NEAR(phases[2].second, 0.5f, 2.5f * frame);
}

TEST_F(Lasers, ASwitchOfNumberThreeTurnsOffAndSetsPatrollingTheLasersWiredToThree)
{
    const Entity onOff = w.AddLaser({1000.0f, 1000.0f});
    Beam(onOff).onOffNumber = 3;
    const Entity patrolling = w.AddLaser({2000.0f, 1000.0f});
    Beam(patrolling).patrolNumber = 3;
    Beam(patrolling).speed = 100.0f;
    Beam(patrolling).patrolPoints = {{2500.0f, 1000.0f}};
    const Entity other = w.AddLaser({3000.0f, 1000.0f});
    Beam(other).onOffNumber = 4;
    Entity button("Button");
    w.Store().AddComponent<Transform>(button)->SetTranslation({0.0f, 50.0f});
    w.Store().AddComponent<Collider>(button);
    w.AddTriggerFunctions(button, R"({"Switch": {"event": 0, "number": 3}})");
    w.PlacePlayer({0.0f, 50.0f});
    w.Get<Gravity>(w.player).amount = 0.0f;
    w.Steps(3);
    EXPECT_FALSE(Beam(onOff).onOff);
    EXPECT_FALSE(Deadly(onOff));
    EXPECT_EQ(Alpha(onOff), 0.0f);
    EXPECT_TRUE(Beam(patrolling).patrolOn);
    EXPECT_GT(w.Get<Transform>(patrolling).GetTranslation().x, 2000.0f);
    EXPECT_TRUE(Deadly(patrolling));
    EXPECT_TRUE(Deadly(other));
}

TEST_F(Lasers, BadTimingsAndPatrolsNeitherDivideByZeroNorMoveAndAreReportedOnce)
{
    const Entity laser = w.AddLaser({1000.0f, 1000.0f});
    Beam(laser).onOff = false;
    Beam(laser).chargeTime = 0.0f;
    Beam(laser).patrolOn = true;
    w.Step();
    Beam(laser).onOff = true;
    const std::size_t before = w.Log().ReportCount();
    w.Steps(3);
    EXPECT_EQ(Beam(laser).charge, 1.0f);
    EXPECT_TRUE(Deadly(laser));
    EXPECT_EQ(w.Get<Transform>(laser).GetTranslation(), (Vec2{1000.0f, 1000.0f}));
    EXPECT_EQ(w.Log().ReportCount() - before, 1u);
    EXPECT_NE(w.Log().Text().find("GAMEPLAY: Laser: patrols without patrol points"), std::string::npos);
}

} // namespace
} // namespace kesto
