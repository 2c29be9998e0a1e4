#include "animation/Animation.h"
#include "gameplay/ActorWorld.h"
#include "gameplay/BehaviorBoidComponent.h"
#include "gameplay/BoidControllerComponent.h"
#include "gameplay/BoidGrid.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <numbers>
#include <random>
#include <vector>

namespace kesto
{
namespace
{

constexpr float frame = test::ActorWorld::frame;
constexpr float toRadians = std::numbers::pi_v<float> / 180.0f;

// A flock in a box from -1000 to 1000 each way; rand() is seeded so the launches are the same every run.
struct Flock : ::testing::Test
{
    Flock()
    {
        std::srand(7);
        Entity e("Flock");
        controller = w.Store().AddComponent<BoidControllerComponent>(e);
        controller->minX = -1000.0f;
        controller->maxX = 1000.0f;
        controller->minY = 1000.0f; // the top
        controller->maxY = -1000.0f;
        controller->state = 0;
    }

    // A bird whose launch heading (degrees) is its body's angular velocity, as level files give it.
    Entity AddBoid(Vec2 at, float heading, float speed = 300.0f)
    {
        Entity e("Bird");
        EntityStore& s = w.Store();
        s.AddComponent<Transform>(e)->SetTranslation(at);
        s.AddComponent<Rigidbody>(e)->angularVelocity = heading;
        s.AddComponent<Sprite>(e)->spriteSource = w.base.world.registry.GetSystem<SpriteSourceManager>()->Find("Bird");
        s.AddComponent<Animation>(e);
        s.AddComponent<BehaviorBoidComponent>(e)->speed = speed;
        boids.push_back(e);
        return e;
    }

    BehaviorBoidComponent& Boid(const Entity& e) { return w.Get<BehaviorBoidComponent>(e); }
    Vec2 Position(const Entity& e) { return w.Get<Transform>(e).GetTranslation(); }

    // Frames until every boid has launched.
    void LaunchAll()
    {
        for (int i = 0; i < 600; ++i)
        {
            bool all = true;
            for (const Entity& e : boids)
            {
                all = all && Boid(e).active;
            }
            if (all)
            {
                return;
            }
            w.Step();
        }
        FAIL() << "boids never launched";
    }

    test::ActorWorld w;
    BoidControllerComponent* controller = nullptr;
    std::vector<Entity> boids;
};

TEST_F(Flock, WithAnAttractRadiusOfZeroBoidsFlyStraightAlongTheirLaunchHeading)
{
    controller->attractRadius = 0.0f;
    controller->turnAway = 1000.0f;
    controller->turnVector = 5.0f;
    controller->turnPosition = 5.0f;
    const Entity a = AddBoid({0.0f, 0.0f}, 30.0f);
    const Entity b = AddBoid({5.0f, 5.0f}, 150.0f);
    LaunchAll();
    for (int i = 0; i < 30; ++i)
    {
        w.Step();
        EXPECT_EQ(Boid(a).heading, 30.0f);
        EXPECT_EQ(Boid(b).heading, 150.0f);
    }
    // Launched boids sit at order 7, whose flight speed is speed - (7 - 5) x 50.
    const Vec2 v = w.Get<Rigidbody>(a).velocity;
    EXPECT_NEAR(v.x, std::cos(30.0f * toRadians) * 200.0f, 1e-3f);
    EXPECT_NEAR(v.y, std::sin(30.0f * toRadians) * 200.0f, 1e-3f);
    EXPECT_FALSE(w.Get<Sprite>(a).flippedY);
    EXPECT_TRUE(w.Get<Sprite>(b).flippedY); // heading left
    EXPECT_EQ(w.Get<Transform>(a).GetScale(), (Vec2{60.0f, 60.0f}));
}

TEST_F(Flock, BoidsFlockOnlyWithBoidsOfTheirOwnSpriteOrder)
{
    controller->attractRadius = 200.0f;
    controller->turnAway = 1000.0f;
    controller->turnVector = 5.0f;
    controller->turnPosition = 5.0f;
    for (const bool sameOrder : {true, false})
    {
        for (const Entity& e : boids)
        {
            w.Store().DestroyEntity(e);
        }
        boids.clear();
        const Entity a = AddBoid({0.0f, 0.0f}, 0.0f);
        const Entity b = AddBoid({0.0f, 50.0f}, 90.0f);
        LaunchAll();
        w.Get<Sprite>(b).order = sameOrder ? 7 : 6;
        // Both start the frame at their launch headings, wherever the launch frame left them.
        Boid(a).heading = 0.0f;
        Boid(b).heading = 90.0f;
        w.Get<Transform>(a).SetTranslation({0.0f, 0.0f});
        w.Get<Transform>(b).SetTranslation({0.0f, 50.0f});
        w.Step();
        EXPECT_EQ(Boid(a).neighbourCount, sameOrder ? 1 : 0);
        EXPECT_EQ(Boid(a).heading != 0.0f, sameOrder) << Boid(a).heading;
        EXPECT_EQ(Boid(b).heading != 90.0f, sameOrder) << Boid(b).heading;
    }
}

TEST_F(Flock, ALoopingBoidThatLeavesTheBoxFliesOnForItsDelayThenReturnsToItsStart)
{
    const Entity bird = AddBoid({900.0f, 0.0f}, 0.0f, 700.0f); // 600 units/s at order 7
    Boid(bird).loop = true;
    Boid(bird).respawnDelay = 2.0f;
    LaunchAll();
    const Vec2 start = Boid(bird).startPosition;
    float outside = 0.0f;
    bool left = false;
    for (int i = 0; i < 300; ++i)
    {
        w.Step();
        if (Position(bird).x > 1000.0f)
        {
            left = true;
            outside += frame;
        }
        else if (left)
        {
            break;
        }
    }
    ASSERT_TRUE(left);
    // Put back at the start before the frame's move of 600 units/s.
    EXPECT_NEAR(Position(bird).x, start.x + 600.0f * frame, 1e-3f);
    EXPECT_EQ(Position(bird).y, start.y);
    // The edge is noticed in the frame after the crossing and the return happens in the frame after the delay.
    EXPECT_NEAR(outside, 2.0f, 3.5f * frame);
}

TEST_F(Flock, AWrappingBoidReappearsAtTheOppositeEdge)
{
    const Entity bird = AddBoid({900.0f, 0.0f}, 0.0f, 700.0f);
    LaunchAll();
    float lastX = Position(bird).x;
    for (int i = 0; i < 60 && Position(bird).x >= lastX; ++i)
    {
        lastX = Position(bird).x;
        w.Step();
    }
    EXPECT_NEAR(Position(bird).x, -1000.0f + 600.0f * frame, 1e-3f);
}

TEST_F(Flock, TheStopModeFreezesEveryBoidWhileItsAnimationPlaysOn)
{
    const Entity a = AddBoid({0.0f, 0.0f}, 45.0f);
    const Entity b = AddBoid({300.0f, 0.0f}, 200.0f);
    LaunchAll();
    controller->state = 4;
    w.Step();
    const Vec2 at = Position(a);
    const int cell = w.Get<Animation>(b).frame;
    w.Steps(30);
    EXPECT_EQ(Position(a), at);
    EXPECT_EQ(w.Get<Rigidbody>(b).velocity, (Vec2{}));
    EXPECT_NE(w.Get<Animation>(b).frame, cell);
}

TEST_F(Flock, FlocksOfNoneOrAHundredThousandRunAndAnEmptyBoxIsReportedOnce)
{
    w.Steps(2);
    std::mt19937 random(3);
    std::uniform_real_distribution<float> spread(-20000.0f, 20000.0f);
    controller->attractRadius = 50.0f;
    controller->turnAway = 10.0f;
    controller->turnVector = 1.0f;
    controller->turnPosition = 1.0f;
    controller->maxX = controller->minX; // no room: the edge rule is skipped
    for (int i = 0; i < 100000; ++i)
    {
        // A tenth of them crowd into one spot.
        const Vec2 at = i % 10 == 0 ? Vec2{} : Vec2{spread(random), spread(random)};
        Entity e("Bird");
        w.Store().AddComponent<Transform>(e)->SetTranslation(at);
        w.Store().AddComponent<Rigidbody>(e)->angularVelocity = spread(random);
        w.Store().AddComponent<BehaviorBoidComponent>(e);
    }
    const std::size_t before = w.Log().ReportCount();
    w.Steps(3);
    EXPECT_EQ(w.Log().ReportCount() - before, 1u);
    EXPECT_NE(w.Log().Text().find("GAMEPLAY: Flock: the flock's box is empty"), std::string::npos);
    std::size_t launched = 0;
    for (const Entity& e : w.base.world.Systems().GetEntityList<BehaviorBoidSystem>())
    {
        const auto& boid = Boid(e);
        launched += boid.active ? 1 : 0;
        EXPECT_TRUE(std::isfinite(boid.heading));
        EXPECT_LE(boid.neighbourCount, BehaviorBoidSystem::maxNeighbours);
    }
    EXPECT_GT(launched, 10000u);
}

TEST(BoidGrid, FindsExactlyThePairsABruteForceSearchFinds)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<float> spread(-500.0f, 500.0f);
    std::vector<Vec2> points;
    for (int i = 0; i < 400; ++i)
    {
        points.push_back({spread(random), spread(random)});
    }
    points.push_back({NAN, 0.0f});
    const float radius = 40.0f;
    BoidGrid grid;
    grid.Build(points, radius);
    for (std::size_t a = 0; a < points.size(); ++a)
    {
        std::vector<std::uint32_t> expected;
        for (std::size_t b = a + 1; b < points.size(); ++b)
        {
            const Vec2 d = points[b] - points[a];
            if (Dot(d, d) < radius * radius)
            {
                expected.push_back(static_cast<std::uint32_t>(b));
            }
        }
        std::vector<std::uint32_t> found;
        grid.ForEachNearAfter(points[a], static_cast<std::uint32_t>(a), 1000,
                              [&](std::uint32_t b)
                              {
                                  const Vec2 d = points[b] - points[a];
                                  if (Dot(d, d) < radius * radius)
                                  {
                                      found.push_back(b);
                                  }
                                  return true;
                              });
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, expected) << "point " << a;
    }
    grid.Build(points, 0.0f);
    int visits = 0;
    grid.ForEachNearAfter({}, 0, 1000,
                          [&](std::uint32_t)
                          {
                              ++visits;
                              return true;
                          });
    EXPECT_EQ(visits, 0);
}

} // namespace
} // namespace kesto
