#include "gameplay/ActorWorld.h"
#include "gameplay/Rotator.h"
#include "graphics/LightSource.h"

#include <cmath>
#include <gtest/gtest.h>

namespace kesto
{
namespace
{

TEST(RotatorSystem, TurnsByItsSpeedInItsDirectionAndTurnsItsLightAlong)
{
    struct Case
    {
        float speed;
        bool ccw;
        float dt;
        float turn; // radians after one second of steps of dt
    };
    for (const Case c : {Case{1.0f, false, 0.1f, -1.0f}, Case{1.0f, true, 0.1f, 1.0f}, Case{2.5f, true, 0.25f, 2.5f},
                         Case{1.0f, false, 0.0f, 0.0f}})
    {
        test::ActorWorld w;
        Entity e("Searchlight");
        auto* transform = w.Store().AddComponent<Transform>(e);
        transform->SetRotation(0.5f);
        auto* rotator = w.Store().AddComponent<Rotator>(e);
        rotator->speed = c.speed;
        rotator->ccw = c.ccw;
        auto* light = w.Store().AddComponent<LightSource>(e);
        light->dir = {std::cos(0.5f), std::sin(0.5f), 0.0f};
        const int steps = c.dt > 0.0f ? static_cast<int>(std::lround(1.0f / c.dt)) : 10;
        for (int i = 0; i < steps; ++i)
        {
            w.base.Run<RotatorSystem>(c.dt);
        }
        const float expected = 0.5f + c.turn;
        EXPECT_NEAR(transform->GetRotation(), expected, 1e-5f) << c.speed << (c.ccw ? " ccw" : " cw") << " " << c.dt;
        // The spot keeps pointing along the same local direction: here, the sprite's own.
        EXPECT_NEAR(light->dir.x, std::cos(expected), 1e-5f);
        EXPECT_NEAR(light->dir.y, std::sin(expected), 1e-5f);
        EXPECT_EQ(light->dir.z, 0.0f);
    }
}

} // namespace
} // namespace kesto
