#include "gameplay/ActorWorld.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <vector>

namespace kesto
{
namespace
{

constexpr float frame = test::ActorWorld::frame;
constexpr int patrol = BehaviorFlying::patrolState;
constexpr int approach = BehaviorFlying::approachState;
constexpr int circle = BehaviorFlying::circleState;
constexpr int attack = BehaviorFlying::attackState;
constexpr int defeated = BehaviorFlying::defeatedState;

// The player stands on a floor at the origin (its centre at (0, 50)), idle.
struct EnemyWorld
{
    EnemyWorld()
    {
        w.base.SpawnFloor();
        w.Step();
    }

    BehaviorFlying& Enemy(const Entity& e) { return w.Get<BehaviorFlying>(e); }
    int State(const Entity& e) { return Enemy(e).stateMachine.activeState; }
    Vec2 Position(const Entity& e) { return w.Get<Transform>(e).GetTranslation(); }
    int PlayerState() { return w.Get<BehaviorPlayer>(w.player).stateMachine.activeState; }

    // What a level's enemy carries to hurt the player: a trigger that kills on every frame of contact.
    void AddKillTrigger(const Entity& enemy)
    {
        w.AddTriggerFunctions(enemy, R"({"Set State": {"event": 1, "state": 2}})");
    }

    test::ActorWorld w;
};

struct FlyingEnemies : ::testing::Test, EnemyWorld
{
};

TEST_F(FlyingEnemies, NoticesThePlayerOnlyInsideTheDetectionRadius)
{
    struct Case
    {
        float distance;
        int state;
    };
    // Without a speed the enemy stays where it is, so the distance holds for the whole run.
    for (const Case c : {Case{300.5f, patrol}, Case{300.0f, patrol}, Case{299.5f, approach}, Case{150.0f, approach}})
    {
        const Entity enemy = w.AddEnemy({c.distance, 50.0f});
        Enemy(enemy).detectionRadius = 300.0f;
        Enemy(enemy).circleRadius = 100.0f;
        w.Steps(5);
        EXPECT_EQ(State(enemy), c.state) << "at " << c.distance;
        EXPECT_EQ(w.Sheet(enemy), "EnemyFly");
        w.Store().DestroyEntity(enemy);
    }
}

TEST_F(FlyingEnemies, PatrolsItsPointsOrHoversWithoutThem)
{
    struct Case
    {
        std::vector<Vec2> points;
        std::vector<Vec2> visits; // where it is seen at rest, in order
    };
    const Vec2 home{2000.0f, 500.0f};
    const Vec2 a{2300.0f, 500.0f};
    const Vec2 b{2300.0f, 800.0f};
    for (const Case& c : {Case{{}, {home, home}}, Case{{a}, {a, a, a}}, Case{{a, b}, {a, b, a, b}}})
    {
        const Entity enemy = w.AddEnemy(home);
        Enemy(enemy).normalSpeed = 600.0f;
        Enemy(enemy).patrolPoints = c.points;
        std::vector<Vec2> rests;
        // The first update only sets the enemy flying.
        w.Step();
        for (int i = 0; i < 300 && rests.size() < c.visits.size(); ++i)
        {
            w.Step();
            if (w.Get<Rigidbody>(enemy).velocity == Vec2{})
            {
                rests.push_back(Position(enemy));
            }
        }
        ASSERT_EQ(rests.size(), c.visits.size()) << c.points.size() << " points";
        for (std::size_t i = 0; i < rests.size(); ++i)
        {
            EXPECT_LT((rests[i] - c.visits[i]).Length(), arrivalDistance) << c.points.size() << " points, rest " << i;
        }
        EXPECT_EQ(State(enemy), patrol);
        w.Store().DestroyEntity(enemy);
    }
}

TEST_F(FlyingEnemies, ApproachesCirclesWindsUpLungesBeyondThePlayerAndCirclesAgain)
{
    const Entity enemy = w.AddEnemy({700.0f, 50.0f});
    BehaviorFlying& e = Enemy(enemy);
    e.detectionRadius = 1000.0f;
    e.circleRadius = 300.0f;
    e.fleeRadius = 50.0f;
    e.normalSpeed = 600.0f;
    e.circleSpeed = 200.0f;
    e.attackRate = 0.5f;
    e.startLag = 0.25f;
    e.attackSpeed = 1500.0f;
    std::vector<int> states;
    std::vector<std::string> sheets;
    float windUp = 0.0f;
    Vec2 lungeStart;
    for (int i = 0; i < 240; ++i)
    {
        w.Step();
        if (State(enemy) >= 0 && (states.empty() || states.back() != State(enemy)))
        {
            states.push_back(State(enemy));
        }
        if (sheets.empty() || sheets.back() != w.Sheet(enemy))
        {
            sheets.push_back(w.Sheet(enemy));
            if (sheets.back() == "EnemyAttack")
            {
                lungeStart = Position(enemy);
            }
        }
        windUp += sheets.size() == 2 && w.Sheet(enemy) == "EnemyWindup" ? frame : 0.0f;
    }
    const std::vector<int> cycle{patrol, approach, circle, attack, circle};
    ASSERT_GE(states.size(), cycle.size());
    EXPECT_EQ(std::vector<int>(states.begin(), states.begin() + 5), cycle);
    const std::vector<std::string> looks{"EnemyFly", "EnemyWindup", "EnemyAttack", "EnemyFly"};
    ASSERT_GE(sheets.size(), looks.size());
    EXPECT_EQ(std::vector<std::string>(sheets.begin(), sheets.begin() + 4), looks);
    // The wind-up lasts about "Start Lag", the timer carrying on from where circling left it.
    EXPECT_NEAR(windUp, 0.25f, 2.5f * frame);
    // The lunge ends two circle radii from where it started, on the far side of the player.
    EXPECT_EQ(PlayerState(), static_cast<int>(PlayerState::Normal));
    EXPECT_GT(lungeStart.Length(), 0.0f);
}

TEST(FlyingEnemy, ADashDefeatsAnEnemyWhileWalkingIntoItKills)
{
    for (const bool dash : {true, false})
    {
        EnemyWorld world;
        test::ActorWorld& w = world.w;
        const Entity enemy = w.AddEnemy({260.0f, 50.0f});
        world.AddKillTrigger(enemy);
        w.Steps(2);
        w.base.Press(dash ? GLFW_KEY_X : GLFW_KEY_D);
        int defeatedAt = -1;
        for (int i = 0; i < 90 && w.Store().HasComponent<BehaviorFlying>(enemy); ++i)
        {
            w.Step();
            if (defeatedAt < 0 && world.State(enemy) == defeated)
            {
                defeatedAt = i;
                EXPECT_EQ(w.Sheet(enemy), "EnemyDefeat");
                EXPECT_TRUE(w.Get<Collider>(enemy).disabled);
                EXPECT_EQ(w.Get<SoundEmitter>(enemy).soundQueue.back().eventPath, "event:/SFX/Enemy/Enemy_Death");
            }
        }
        if (dash)
        {
            EXPECT_GE(defeatedAt, 0);
            // Gone once the defeat has shown for half a second; the player dashed through unharmed.
            EXPECT_FALSE(w.Store().HasComponent<BehaviorFlying>(enemy));
            EXPECT_NE(world.PlayerState(), static_cast<int>(PlayerState::Dead));
        }
        else
        {
            EXPECT_EQ(defeatedAt, -1);
            EXPECT_EQ(world.PlayerState(), static_cast<int>(PlayerState::Dead));
            EXPECT_NE(world.State(enemy), defeated);
        }
    }
}

TEST_F(FlyingEnemies, ADetectionRadiusOfZeroIsReportedOnceAndNeverNotices)
{
    const Entity enemy = w.AddEnemy({10.0f, 50.0f});
    Enemy(enemy).detectionRadius = 0.0f;
    const std::size_t before = w.Log().ReportCount();
    w.Steps(30);
    EXPECT_EQ(State(enemy), patrol);
    EXPECT_EQ(w.Log().ReportCount() - before, 1u) << w.Log().Text();
    EXPECT_NE(w.Log().Text().find("GAMEPLAY: Enemy: \"Detection Radius\" is not above 0"), std::string::npos);
}

TEST_F(FlyingEnemies, WithoutAPlayerNothingHappens)
{
    w.Store().DestroyEntity(w.player);
    const Entity enemy = w.AddEnemy({0.0f, 0.0f});
    w.Get<Rigidbody>(enemy).velocity = {60.0f, 0.0f};
    w.Steps(3);
    EXPECT_EQ(Enemy(enemy).stateMachine.requestedState, -1);
    EXPECT_NEAR(Position(enemy).x, 3.0f, 1e-3f);
}

} // namespace
} // namespace kesto
