#include "gameplay/PlayerWorld.h"
#include "particles/ParticleEmitter.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

// The player's particle effects: its emitter holds "Dash", "Death" and "Respawn", all off until the player starts
// them.
class PlayerParticles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        floor = w.SpawnFloor();
        player = w.SpawnPlayer();
        auto& emitter = *w.Store().AddComponent<ParticleEmitter>(player);
        emitter.emissions.clear();
        for (const char* name : {"Dash", "Death", "Respawn"})
        {
            Emission& emission = emitter.emissions.emplace_back().emission;
            emission.name = name;
            emission.active = false;
        }
        w.Step();
        w.Step();
    }

    Emission& Named(const char* name) { return *w.Get<ParticleEmitter>(player).FindEmission(name); }
    BehaviorPlayer& Player() { return w.Get<BehaviorPlayer>(player); }
    int State() { return Player().stateMachine.activeState; }
    void Dash()
    {
        w.camera->SetPosition(w.Get<Transform>(player).GetTranslation() + Vec2{0.0f, 1000.0f});
        w.Tap(GLFW_MOUSE_BUTTON_LEFT);
        w.Step();
    }

    test::PlayerWorld w;
    Entity floor;
    Entity player;
};

TEST_F(PlayerParticles, ADashStartsTheDashTrailWhichGlowsOnlyWithADashGivenBackInTheAir)
{
    Dash();
    ASSERT_EQ(State(), static_cast<int>(PlayerState::Dash));
    EXPECT_TRUE(Named("Dash").active);
    EXPECT_FALSE(Named("Dash").useBlendColor);
    EXPECT_TRUE(w.Get<ParticleEmitter>(player).needsUpdate);
    while (State() == static_cast<int>(PlayerState::Dash))
    {
        w.Step();
    }

    // In the air, a dash-reset trigger gives the dash back: the Normal state sets the glow, and so does the dash.
    Player().canDash = true;
    Player().dashRecharged = true;
    w.Step();
    ASSERT_FALSE(w.Get<Collider>(player).IsTouching(ContactSide::Ground));
    EXPECT_TRUE(Named("Dash").useBlendColor);
    Named("Dash").useBlendColor = false;
    Dash();
    EXPECT_TRUE(Named("Dash").useBlendColor);

    // Back on the ground the glow goes with the recharged flag.
    for (int i = 0; i < 200 && !(State() == static_cast<int>(PlayerState::Normal) &&
                                 w.Get<Collider>(player).IsTouching(ContactSide::Ground));
         ++i)
    {
        w.Step();
    }
    w.Step();
    EXPECT_FALSE(Player().dashRecharged);
    EXPECT_FALSE(Named("Dash").useBlendColor);
}

TEST_F(PlayerParticles, DyingStartsTheDeathBurstAndRespawningTheRespawnGlow)
{
    w.Press(GLFW_KEY_F6);
    w.Step();
    w.Release(GLFW_KEY_F6);
    ASSERT_EQ(State(), static_cast<int>(PlayerState::Dead));
    EXPECT_TRUE(Named("Death").active);
    EXPECT_FALSE(Named("Respawn").active);
    for (int i = 0; i < 200 && State() == static_cast<int>(PlayerState::Dead); ++i)
    {
        w.Step();
    }
    w.Step();
    ASSERT_EQ(State(), static_cast<int>(PlayerState::Respawn));
    EXPECT_TRUE(Named("Respawn").active);
}

TEST_F(PlayerParticles, APlayerWithoutAnEmitterDashesAndDiesAllTheSame)
{
    w.Store().RemoveComponent<ParticleEmitter>(player);
    const std::size_t reports = w.world.trace->ReportCount();
    Dash();
    EXPECT_EQ(State(), static_cast<int>(PlayerState::Dash));
    w.Press(GLFW_KEY_F6);
    w.Step();
    EXPECT_EQ(State(), static_cast<int>(PlayerState::Dead));
    EXPECT_EQ(w.world.trace->ReportCount(), reports) << w.world.trace->Text();
}

} // namespace
} // namespace kesto
