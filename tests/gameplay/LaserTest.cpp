#include "gameplay/Laser.h"

#include "support/ComponentJson.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

using test::ReadJson;

TEST(Laser, StartsSwitchedOnAndFullyCharged)
{
    const Laser laser;
    EXPECT_TRUE(laser.onOff);
    EXPECT_EQ(laser.charge, 1.0f);
    EXPECT_EQ(laser.chargeTime, 1.0f);
    EXPECT_EQ(laser.direction, LaserDirection::Left);
    EXPECT_FALSE(laser.patrolOn);
    EXPECT_FALSE(laser.timerOn);
    EXPECT_TRUE(laser.offSoundSent);
}

TEST(Laser, ReadsEveryKeyAndStartsTheTimerFromTime)
{
    Laser laser;
    ReadJson(laser, R"({"Speed": 200.0, "OnOff": false, "Time": 1.5, "OffTime": 0.5, "ChargeTime": 0.25,
                        "Delay": 2.0, "Direction": 3, "PatrolNumber": 1, "OnOffNumber": 2, "TimeNumber": 3,
                        "Patrol On Off": true, "Timer On Off": true})");
    EXPECT_EQ(laser.speed, 200.0f);
    EXPECT_FALSE(laser.onOff);
    EXPECT_EQ(laser.time, 1.5f);
    EXPECT_EQ(laser.timer, 1.5f);
    EXPECT_EQ(laser.offTime, 0.5f);
    EXPECT_EQ(laser.chargeTime, 0.25f);
    EXPECT_EQ(laser.delay, 2.0f);
    EXPECT_EQ(laser.direction, LaserDirection::Right);
    EXPECT_EQ(laser.patrolNumber, 1);
    EXPECT_EQ(laser.onOffNumber, 2);
    EXPECT_EQ(laser.timeNumber, 3);
    EXPECT_TRUE(laser.patrolOn);
    EXPECT_TRUE(laser.timerOn);
}

TEST(Laser, MistypedKeysLeaveTheTimerAlone)
{
    Laser laser;
    laser.timer = -0.5f;
    ReadJson(laser, R"({"Time": 2, "OnOff": "yes", "OnOffNumber": 1.0, "ChargeTime": null})");
    EXPECT_EQ(laser.time, 0.0f);
    EXPECT_EQ(laser.timer, -0.5f);
    EXPECT_TRUE(laser.onOff);
    EXPECT_EQ(laser.onOffNumber, 0);
    EXPECT_EQ(laser.chargeTime, 1.0f);
}

TEST(Laser, WriteThenReadKeepsTheSettings)
{
    Laser laser;
    laser.speed = 50.0f;
    laser.onOff = false;
    laser.time = 0.75f;
    laser.offTime = 1.25f;
    laser.timeNumber = 6;
    laser.timerOn = true;
    laser.patrolPoints = {{0.0f, 0.0f}, {100.0f, 0.0f}};
    const Laser copy = test::RoundTrip(laser);
    EXPECT_EQ(copy.speed, 50.0f);
    EXPECT_FALSE(copy.onOff);
    EXPECT_EQ(copy.time, 0.75f);
    EXPECT_EQ(copy.timer, 0.75f);
    EXPECT_EQ(copy.offTime, 1.25f);
    EXPECT_EQ(copy.timeNumber, 6);
    EXPECT_TRUE(copy.timerOn);
    EXPECT_EQ(copy.patrolPoints, laser.patrolPoints);
}

} // namespace
} // namespace kesto
