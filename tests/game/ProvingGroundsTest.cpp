#include "ecs/Transform.h"
#include "gameplay/BehaviorPlayer.h"
#include "graphics/Camera.h"
#include "graphics/Sprite.h"
#include "physics/Collider.h"
#include "physics/Rigidbody.h"
#include "physics/Solid.h"
#include "support/FrameRateTable.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

// "Proving Grounds", the developer level, loaded by a headless engine at a given frame rate.
class ProvingGrounds
{
public:
    explicit ProvingGrounds(double framesPerSecond = 60.0) : driver(world, framesPerSecond)
    {
        test::UseGameLevels(world);
        world.Init();
        driver.Start(); // loads the level
        levels = world.registry.GetSystem<LevelManager>();
        for (const Entity& entity : world.Store().GetEntities({ComponentType::BehaviorPlayer}))
        {
            player = entity;
        }
        driver.recorder->player = player;
        driver.Play({}, 0.5f); // the player lands and settles
        driver.recorder->samples.clear();
    }

    Vec2 PlayerPosition() { return world.Store().GetComponent<Transform>(player)->GetTranslation(); }

    // Puts the player down at `at`, at rest, and lets it settle there.
    void PlaceAt(Vec2 at)
    {
        world.Store().GetComponent<Transform>(player)->SetTranslation(at);
        world.Store().GetComponent<Rigidbody>(player)->velocity = {};
        driver.Play({}, 0.5f);
        driver.recorder->samples.clear();
    }

    // The player's collider in the world now.
    ColliderBox PlayerBox()
    {
        auto* collider = world.Store().GetComponent<Collider>(player);
        collider->Refresh(*world.Store().GetComponent<Transform>(player));
        return collider->WorldBox();
    }

    // The first solid that `is` picks out.
    ColliderBox FindSolid(const std::function<bool(const ColliderBox&)>& is)
    {
        for (const ColliderBox& box : Solids())
        {
            if (is(box))
            {
                return box;
            }
        }
        ADD_FAILURE() << "no such solid in the level";
        return {};
    }

    // The world boxes of every solid.
    std::vector<ColliderBox> Solids()
    {
        std::vector<ColliderBox> boxes;
        for (const Entity& entity : world.Systems().GetEntityList<Solid>())
        {
            auto* collider = world.Store().GetComponent<Collider>(entity);
            collider->Refresh(*world.Store().GetComponent<Transform>(entity));
            boxes.push_back(collider->WorldBox());
        }
        return boxes;
    }

    test::TestWorld world;
    test::FrameDriver driver;
    LevelManager* levels = nullptr;
    Entity player = Entity::None();
};

TEST(ProvingGrounds, EveryLedgeIsWithinAFullJumpOrPlainlyNeedsTheDash)
{
    ProvingGrounds level;
    ASSERT_EQ(level.levels->currentLevel, "Proving Grounds");
    ASSERT_TRUE(level.player.IsValid());
    const float start = level.PlayerPosition().y;
    level.driver.Play({{0.0f, GLFW_KEY_SPACE, true}}, 1.0f);
    float apex = start;
    for (const auto& sample : level.driver.recorder->samples)
    {
        apex = std::max(apex, sample.position.y);
    }
    const float jump = apex - start;
    ASSERT_GT(jump, 200.0f);
    const BehaviorPlayer& tunables = *level.world.Store().GetComponent<BehaviorPlayer>(level.player);
    const float dash = tunables.dashSpeed * tunables.dashTime;

    // Each top is judged from the highest lower top within a short run of it: a climb of at most 90 % of the full
    // jump is meant for jumping; one of 140 % or more plainly asks for the dash; nothing may lie in between, where
    // a ledge looks reachable and is not (or only just). Measured with the game's player, which jumps here first.
    constexpr float reach = 300.0f;
    const std::vector<ColliderBox> solids = level.Solids();
    ASSERT_GT(solids.size(), 15u);
    int jumpLedges = 0;
    int dashLedges = 0;
    for (const ColliderBox& ledge : solids)
    {
        float below = -1e9f;
        for (const ColliderBox& other : solids)
        {
            const float apart = std::max(other.left - ledge.right, ledge.left - other.right);
            if (other.top < ledge.top && apart <= reach)
            {
                below = std::max(below, other.top);
            }
        }
        if (below == -1e9f)
        {
            continue;
        }
        const float climb = ledge.top - below;
        const std::string where = "the top at y " + std::to_string(ledge.top) + " over x " +
                                  std::to_string(ledge.left) + ".." + std::to_string(ledge.right) + " is " +
                                  std::to_string(climb) + " above the surface below";
        EXPECT_TRUE(climb <= 0.9f * jump || climb >= 1.4f * jump) << where << ", against a full jump of " << jump;
        (climb <= 0.9f * jump ? jumpLedges : dashLedges) += 1;
        // A dash ledge is still within a jump and a dash straight up; walls (taller than wide) bound the level.
        const bool wall = ledge.top - ledge.bottom > ledge.right - ledge.left;
        if (climb >= 1.4f * jump && !wall)
        {
            EXPECT_LE(climb, 0.9f * (jump + dash)) << where << ", beyond a jump and a dash of " << jump + dash;
        }
    }
    EXPECT_GE(jumpLedges, 8);
    EXPECT_GE(dashLedges, 2); // the crystal ledge and the far side of the dash pit (and the boundary walls)
}

TEST(ProvingGrounds, TheCrateStandsInTheWayAsASolid)
{
    ProvingGrounds level;
    bool found = false;
    for (const Entity& entity : level.levels->levelEntities[0])
    {
        const auto* sprite = level.world.Store().GetComponent<Sprite>(entity);
        if (entity.name == "Crate" && sprite)
        {
            found = true;
            EXPECT_TRUE(level.world.Systems().GetEntityList<Solid>().Contains(entity.id));
        }
    }
    EXPECT_TRUE(found);
}

TEST(ProvingGrounds, TheHillLayersCoverTheViewWhereverTheCameraGoes)
{
    ProvingGrounds level;
    const Camera& camera = *level.world.registry.GetSystem<Camera>();
    const CameraBounds bounds = camera.bounds;
    const float zoom = camera.GetZoom();
    int layers = 0;
    for (const Entity& entity : level.levels->levelEntities[0])
    {
        if (entity.name != "HillsMid" && entity.name != "HillsFar")
        {
            continue;
        }
        ++layers;
        const auto* transform = level.world.Store().GetComponent<Transform>(entity);
        const float depth = level.world.Store().GetComponent<Sprite>(entity)->depth;
        const Vec2 at = transform->GetTranslation();
        const Vec2 half = transform->GetScale() * 0.5f;
        // Wide screens up to 21:9, every view the bounds allow.
        for (const float aspect : {4.0f / 3.0f, 16.0f / 9.0f, 21.0f / 9.0f})
        {
            const Vec2 view{zoom * aspect * 0.5f, zoom * 0.5f};
            for (float x = bounds.minX + view.x; x <= bounds.maxX - view.x + 1.0f; x += 100.0f)
            {
                for (float y = bounds.minY + view.y; y <= bounds.maxY - view.y + 1.0f; y += 100.0f)
                {
                    // Drawn where parallax puts it.
                    const Vec2 drawn = at + (Vec2{x, y} - at) * depth;
                    EXPECT_LE(drawn.x - half.x, x - view.x) << entity.name << " ends on the left at " << x;
                    EXPECT_GE(drawn.x + half.x, x + view.x) << entity.name << " ends on the right at " << x;
                    if (entity.name == "HillsMid")
                    {
                        EXPECT_LE(drawn.y - half.y, y - view.y) << "sky below the hills at " << x << ", " << y;
                    }
                }
            }
        }
    }
    EXPECT_EQ(layers, 2);
}

// A manoeuvre tried in the level at one frame rate: where it starts and what it measures when it is over.
struct LevelManoeuvre
{
    const char* name;
    std::function<Vec2(ProvingGrounds&)> start; // where the player stands before the input begins
    std::vector<test::KeyChange> script;
    float duration;
    std::function<float(ProvingGrounds&, Vec2 start)> measure;
    float atLeast; // what the manoeuvre must achieve at every rate
};

test::RateResult Perform(const LevelManoeuvre& manoeuvre, double framesPerSecond,
                         const std::vector<test::KeyChange>& script)
{
    ProvingGrounds level(framesPerSecond);
    const Vec2 start = manoeuvre.start(level);
    level.PlaceAt(start);
    test::RateResult result;
    result.seen = level.driver.Play(script, manoeuvre.duration);
    result.value = manoeuvre.measure(level, start);
    return result;
}

bool IsTheBlock(const ColliderBox& box) { return box.top - box.bottom == 180.0f; }
bool IsTheLeftWall(const ColliderBox& box) { return box.top - box.bottom > 800.0f && box.left < 0.0f; }

TEST(ProvingGrounds, TheBlockIsClearedAndADashUpAWallClimbsAsFarAtEveryFrameRate)
{
    constexpr float standingY = 96.0f; // the player's position standing on the ground, whose top is at 0
    const std::vector<LevelManoeuvre> manoeuvres = {
        // Half a second's run and a full jump carry the fox over the 180-unit block: it ends beyond it.
        {"past the block",
         [](ProvingGrounds& level) {
             return Vec2{level.FindSolid(IsTheBlock).left - 452.0f, standingY};
         },
         {{0.0f, GLFW_KEY_RIGHT, true}, {0.5f, GLFW_KEY_SPACE, true}, {1.0f, GLFW_KEY_SPACE, false}},
         2.0f,
         [](ProvingGrounds& level, Vec2) { return level.PlayerBox().left - level.FindSolid(IsTheBlock).right; },
         100.0f},
        // A dash up and into the wall slides up it rather than stalling against it.
        {"climb up the wall",
         [](ProvingGrounds& level) {
             return Vec2{level.FindSolid(IsTheLeftWall).right + 60.0f, standingY};
         },
         {{0.0f, GLFW_KEY_LEFT, true}, {0.0f, GLFW_KEY_UP, true}, {0.5f, GLFW_KEY_X, true}, {0.75f, GLFW_KEY_X, false}},
         1.0f,
         [](ProvingGrounds& level, Vec2 start) { return test::RiseAbove(level.driver.recorder->samples, start.y); },
         150.0f},
    };
    const std::vector<double> rates = {4.0, 8.0, 12.0, 16.0, 30.0, 60.0, 144.0, 240.0};
    constexpr int nameWidth = 20;
    std::string table = test::RateTableHeader(rates, nameWidth);
    for (const LevelManoeuvre& manoeuvre : manoeuvres)
    {
        table += test::ExpectSameAtEveryRate(
            manoeuvre.name, nameWidth, rates, manoeuvre.script,
            [&manoeuvre](double rate, const std::vector<test::KeyChange>& script)
            { return Perform(manoeuvre, rate, script); },
            manoeuvre.atLeast);
    }
    std::printf("%s", table.c_str());
}

TEST(ProvingGrounds, TheSameScriptedPlayEndsInTheSamePlaceAt8And144FramesPerSecond)
{
    // Run right, jump (into the ledge above), dash along the held direction, run on and stop: changes every half
    // second of game time, which both rates show exactly.
    const std::vector<test::KeyChange> script = {
        {0.0f, GLFW_KEY_RIGHT, true},  {0.5f, GLFW_KEY_SPACE, true},  {1.0f, GLFW_KEY_SPACE, false},
        {1.0f, GLFW_KEY_X, true},      {1.5f, GLFW_KEY_X, false},     {1.5f, GLFW_KEY_SPACE, true},
        {2.0f, GLFW_KEY_SPACE, false}, {2.5f, GLFW_KEY_RIGHT, false},
    };
    std::vector<Vec2> ends;
    Vec2 start;
    for (const double rate : {8.0, 144.0})
    {
        ProvingGrounds level(rate);
        start = level.PlayerPosition();
        level.driver.Play(script, 4.0f);
        ends.push_back(level.PlayerPosition());
    }
    const float travelled = (ends[1] - start).Length();
    EXPECT_GT(travelled, 1000.0f);
    EXPECT_LE((ends[0] - ends[1]).Length(), 0.02f * travelled)
        << "8 fps: " << ends[0].x << ", " << ends[0].y << "; 144 fps: " << ends[1].x << ", " << ends[1].y;
}

} // namespace
} // namespace kesto
