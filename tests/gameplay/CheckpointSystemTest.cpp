#include "ecs/ArchetypeFactory.h"
#include "gameplay/ActorWorld.h"
#include "gameplay/Checkpoint.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

// Checkpoints made from the "Checkpoint" archetype of tests/data/actors, the player floating without gravity.
struct Checkpoints : ::testing::Test
{
    Checkpoints() { w.Get<Gravity>(w.player).amount = 0.0f; }

    Entity Add(Vec2 at)
    {
        const Entity e = w.base.world.factory->CreateFromArchetype("Checkpoint", false);
        w.Get<Transform>(e).SetTranslation(at);
        return e;
    }

    // One frame touching `checkpoint`, one away from everything.
    void Touch(const Entity& checkpoint)
    {
        w.PlacePlayer(w.Get<Transform>(checkpoint).GetTranslation());
        w.Step();
        w.PlacePlayer({-9000.0f, 0.0f});
        w.Step();
    }

    bool Lit(const Entity& e) { return w.Get<Checkpoint>(e).activated; }
    Vec2 RespawnPoint() { return w.Get<BehaviorPlayer>(w.player).respawnPoint; }

    test::ActorWorld w;
};

TEST_F(Checkpoints, TouchingOneLightsItOnceAndMovesTheRespawnPoint)
{
    const Entity a = Add({1000.0f, 0.0f});
    Touch(a);
    EXPECT_TRUE(Lit(a));
    EXPECT_EQ(RespawnPoint(), (Vec2{1000.0f, 0.0f}));
    EXPECT_EQ(w.Sheet(a), "PropCheckpointN013");
    ASSERT_EQ(w.Get<SoundEmitter>(a).soundQueue.size(), 1u);
    EXPECT_EQ(w.Get<SoundEmitter>(a).soundQueue[0].eventPath, "event:/SFX/Environment/CHECKPOINT");

    // Touching it again changes nothing, even after the respawn point has been moved elsewhere.
    w.Get<BehaviorPlayer>(w.player).respawnPoint = {5.0f, 5.0f};
    Touch(a);
    EXPECT_EQ(RespawnPoint(), (Vec2{5.0f, 5.0f}));
    EXPECT_EQ(w.Get<SoundEmitter>(a).soundQueue.size(), 1u);

    // After the one-shot lighting animation it shows the repeating lit sheet.
    w.Steps(60);
    EXPECT_EQ(w.Sheet(a), "PropCheckpointN014");
    EXPECT_TRUE(w.Get<Animation>(a).playing);
}

TEST_F(Checkpoints, TouchingBAfterAMovesTheRespawnToBAndPutsAOutToItsArchetypesLook)
{
    const Entity a = Add({1000.0f, 0.0f});
    const Entity b = Add({2000.0f, 0.0f});
    Touch(a);
    w.Steps(60);
    Touch(b);
    EXPECT_TRUE(Lit(b));
    EXPECT_FALSE(Lit(a));
    EXPECT_EQ(RespawnPoint(), (Vec2{2000.0f, 0.0f}));
    EXPECT_EQ(w.Sheet(a), "PropCheckpointN001");
    EXPECT_EQ(w.Get<Sprite>(a).frame, 0);
    EXPECT_FALSE(w.Get<Animation>(a).playing);
    EXPECT_EQ(w.Sheet(b), "PropCheckpointN013");
}

TEST_F(Checkpoints, OneSavedLitStartsLitButLeavesTheRespawnPointAlone)
{
    const Entity a = Add({1000.0f, 0.0f});
    w.Get<Checkpoint>(a).activated = true;
    w.Step();
    const Vec2 spawn = RespawnPoint();
    w.Steps(3);
    EXPECT_EQ(w.Sheet(a), "PropCheckpointN014");
    EXPECT_EQ(RespawnPoint(), spawn);
}

TEST_F(Checkpoints, OneNotNamedAfterAnArchetypeKeepsItsLookWhenPutOutAndSaysSoOnce)
{
    Entity stray("Stray");
    for (const Entity& e : {stray})
    {
        w.Store().AddComponent<Transform>(e)->SetTranslation({3000.0f, 0.0f});
        w.Store().AddComponent<Collider>(e);
        w.Store().AddComponent<Sprite>(e);
        w.Store().AddComponent<Animation>(e);
        w.Store().AddComponent<Checkpoint>(e);
    }
    const Entity a = Add({1000.0f, 0.0f});
    const std::size_t before = w.Log().ReportCount();
    for (int i = 0; i < 2; ++i)
    {
        Touch(stray);
        Touch(a);
    }
    EXPECT_EQ(w.Sheet(stray), "PropCheckpointN013");
    EXPECT_FALSE(Lit(stray));
    EXPECT_EQ(w.Log().ReportCount() - before, 1u) << w.Log().Text();
    EXPECT_NE(w.Log().Text().find("GAMEPLAY: Stray: no archetype of this name"), std::string::npos);
}

} // namespace
} // namespace kesto
