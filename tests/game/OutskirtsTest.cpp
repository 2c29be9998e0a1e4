#include "ecs/Transform.h"
#include "gameplay/BehaviorFlying.h"
#include "gameplay/Checkpoint.h"
#include "support/GameLevels.h"
#include "ui/TimerSystem.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

using test::GameLevels;

// "1. Outskirts" loaded through the west gate of "Proving Grounds".
struct Outskirts : ::testing::Test
{
    Outskirts()
    {
        for (const Entity& entity : game.levels->levelEntities[0])
        {
            if (entity.name == "OutskirtsGate")
            {
                game.PlaceAt(Position(entity));
            }
        }
        game.Play(0.1f);
        EXPECT_EQ(game.levels->nextLevel, "1. Outskirts");
        game.Play(3.0f, [&] { return game.levels->currentLevel == "1. Outskirts"; });
        game.Play(0.5f);
    }

    Vec2 Position(const Entity& e) { return game.world.Store().GetComponent<Transform>(e)->GetTranslation(); }
    std::vector<Entity> With(ComponentType type) { return game.world.Store().GetEntities({type}); }

    // Checkpoints from west to east.
    std::vector<Entity> Checkpoints()
    {
        std::vector<Entity> found = With(ComponentType::Checkpoint);
        std::sort(found.begin(), found.end(),
                  [&](const Entity& a, const Entity& b) { return Position(a).x < Position(b).x; });
        return found;
    }

    GameLevels game;
};

TEST_F(Outskirts, TheWestGateOfProvingGroundsLeadsToAStageWithEveryActorInPlay)
{
    ASSERT_EQ(game.levels->currentLevel, "1. Outskirts");
    EXPECT_EQ(test::ReportsBeyondArt(*game.world.trace), "");
    for (const ComponentType type :
         {ComponentType::BehaviorFlying, ComponentType::BehaviorFalling, ComponentType::Laser,
          ComponentType::Checkpoint, ComponentType::FlashingLight, ComponentType::Rotator,
          ComponentType::BoidControllerComponent, ComponentType::BehaviorBoidComponent})
    {
        EXPECT_FALSE(With(type).empty()) << "no " << static_cast<int>(type);
    }
    // Every checkpoint is named after its archetype, so that it can go dark again.
    for (const Entity& checkpoint : Checkpoints())
    {
        EXPECT_TRUE(game.world.factory->HasArchetype(checkpoint.name)) << checkpoint.name;
    }
    EXPECT_GE(Checkpoints().size(), 3u);
}

TEST_F(Outskirts, APlayerWhoDiesInThePitPastTheFirstCheckpointRespawnsThere)
{
    const std::vector<Entity> checkpoints = Checkpoints();
    ASSERT_FALSE(checkpoints.empty());
    const Vec2 first = Position(checkpoints.front());
    game.PlaceAt(first);
    game.Play(0.2f);
    ASSERT_TRUE(game.world.Store().GetComponent<Checkpoint>(checkpoints.front())->activated);
    // The spikes lie east of it, between the first and the second checkpoint.
    game.PlaceAt({first.x + 300.0f, -300.0f});
    game.Play(0.5f, [&] { return game.InState(PlayerState::Dead); });
    ASSERT_TRUE(game.InState(PlayerState::Dead));
    game.Play(4.0f, [&] { return game.InState(PlayerState::Normal); });
    ASSERT_TRUE(game.InState(PlayerState::Normal));
    EXPECT_NEAR(game.PlayerPosition().x, first.x, 1.0f);
    EXPECT_NEAR(game.PlayerPosition().y, first.y, 60.0f);
}

TEST_F(Outskirts, ItsGateSplitsTheTimerAndLeadsToTheQuarry)
{
    const std::size_t splits = game.world.registry.GetSystem<TimerSystem>()->splits.size();
    for (const Entity& entity : game.levels->levelEntities[0])
    {
        if (entity.name == "OutskirtsGate")
        {
            game.PlaceAt(Position(entity));
        }
    }
    game.Play(3.0f, [&] { return game.levels->currentLevel == "2. Quarry"; });
    EXPECT_EQ(game.levels->currentLevel, "2. Quarry");
    EXPECT_EQ(game.world.registry.GetSystem<TimerSystem>()->splits.size(), splits + 1);
}

} // namespace
} // namespace kesto
