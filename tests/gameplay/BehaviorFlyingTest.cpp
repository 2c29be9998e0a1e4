#include "gameplay/BehaviorFlying.h"

#include "support/ComponentJson.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

using test::ReadJson;

TEST(BehaviorFlying, DefaultsWaitForThePlayer)
{
    const BehaviorFlying enemy;
    EXPECT_EQ(enemy.normalSpeed, 0.0f);
    EXPECT_TRUE(enemy.patrolPoints.empty());
    EXPECT_EQ(enemy.circleSpeed, 5.0f);
    EXPECT_EQ(enemy.circleRadius, 5.0f);
    EXPECT_EQ(enemy.attackRate, 1.0f);
    EXPECT_EQ(enemy.detectionRadius, 10.0f);
    EXPECT_EQ(enemy.fleeRadius, 2.0f);
    EXPECT_EQ(enemy.stateMachine.requestedState, -1);
    EXPECT_FALSE(enemy.target.IsValid());
}

TEST(BehaviorFlying, ReadsTheLevelFileSpellings)
{
    BehaviorFlying enemy;
    ReadJson(enemy, R"({"Normal Speed": 300.0, "Circle Speed": 250.0, "Circle Radius": 400.0, "Atack Rate": 2.5,
                        "Start Lag": 0.5, "Attack Speed": 900.0, "Detection Radius": 1200.0, "Free radius": 150.0,
                        "Flee Speed": 500.0, "attack": "BatAttack", "windup": "BatWindup", "flying": "BatFly",
                        "defeat": "BatDie"})");
    EXPECT_EQ(enemy.normalSpeed, 300.0f);
    EXPECT_EQ(enemy.circleSpeed, 250.0f);
    EXPECT_EQ(enemy.circleRadius, 400.0f);
    EXPECT_EQ(enemy.attackRate, 2.5f);
    EXPECT_EQ(enemy.startLag, 0.5f);
    EXPECT_EQ(enemy.attackSpeed, 900.0f);
    EXPECT_EQ(enemy.detectionRadius, 1200.0f);
    EXPECT_EQ(enemy.fleeRadius, 150.0f);
    EXPECT_EQ(enemy.fleeSpeed, 500.0f);
    EXPECT_EQ(enemy.attackAnimation, "BatAttack");
    EXPECT_EQ(enemy.windupAnimation, "BatWindup");
    EXPECT_EQ(enemy.flyingAnimation, "BatFly");
    EXPECT_EQ(enemy.defeatAnimation, "BatDie");
}

TEST(BehaviorFlying, MistypedKeysKeepTheirValues)
{
    BehaviorFlying enemy;
    ReadJson(enemy, R"({"Circle Speed": 7, "Attack Rate": 3.0, "flying": 4, "Detection Radius": "far"})");
    EXPECT_EQ(enemy.circleSpeed, 5.0f);
    EXPECT_EQ(enemy.attackRate, 1.0f); // only the "Atack Rate" spelling is read
    EXPECT_EQ(enemy.flyingAnimation, "");
    EXPECT_EQ(enemy.detectionRadius, 10.0f);
}

TEST(BehaviorFlying, WritesEveryTunableBackReadably)
{
    BehaviorFlying enemy;
    enemy.normalSpeed = 3.0f;
    enemy.fleeRadius = 1.25f;
    enemy.patrolPoints = {{1.0f, 2.0f}, {-3.0f, 4.0f}};
    enemy.defeatAnimation = "Poof";
    const std::string text = test::WriteJson(enemy);
    EXPECT_NE(text.find("\"Patrol Points\""), std::string::npos) << text;

    const BehaviorFlying copy = test::RoundTrip(enemy);
    EXPECT_EQ(copy.normalSpeed, 3.0f);
    EXPECT_EQ(copy.fleeRadius, 1.25f);
    EXPECT_EQ(copy.defeatAnimation, "Poof");
    EXPECT_EQ(copy.patrolPoints, enemy.patrolPoints);
}

TEST(BehaviorFlying, CloneCopiesRunTimeState)
{
    BehaviorFlying enemy;
    enemy.patrolPoints = {{5.0f, 6.0f}};
    enemy.nextPatrolIndex = 1;
    enemy.attackTimer = 0.75f;
    enemy.target = Entity::FromId(3, "Player");
    const std::unique_ptr<Component> cloned = enemy.Clone();
    auto& copy = static_cast<BehaviorFlying&>(*cloned);
    EXPECT_EQ(copy.patrolPoints, enemy.patrolPoints);
    EXPECT_EQ(copy.nextPatrolIndex, 1);
    EXPECT_EQ(copy.attackTimer, 0.75f);
    EXPECT_EQ(copy.target.id, 3u);
    copy.patrolPoints.clear();
    EXPECT_EQ(enemy.patrolPoints.size(), 1u);
}

} // namespace
} // namespace kesto
