#include "ecs/ECS.h"
#include "ecs/JsonReader.h"
#include "ecs/Transform.h"
#include "engine/Trace.h"
#include "gl/GlWorld.h"
#include "graphics/RendererSystem.h"
#include "particles/ParticleEmitter.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

using Color = test::Pixels::Color;

class ParticleDrawTest : public test::GlTest
{
protected:
    void TearDown() override
    {
        store.DestroyEntity(emitter);
        GlTest::TearDown();
    }

    Color WindowAt(Vec2 world) const
    {
        const Vec2 p = ToPixel(world);
        return Window().At(static_cast<int>(p.x), static_cast<int>(p.y));
    }

    // One still particle of the 400-unit white template, born where the emitter stands.
    void AddEmitter(Vec2 position, int order)
    {
        emitter = Entity("Emitter");
        store.AddComponent<Transform>(emitter)->SetTranslation(position);
        auto* particles = store.AddComponent<ParticleEmitter>(emitter);
        JsonReader reader;
        ASSERT_TRUE(reader.Parse(R"({"Order": )" + std::to_string(order) + R"(, "Emissions Count": 1,
            "Emission0": {"Emission Name": "One", "Particle Template": "LitWhite", "Particle Speed": 0.0,
                          "Emission Type": 1, "Emission Mode": {"Particles Per Burst": 1}, "Endless": false,
                          "ShapeCube": {"Source": 2}}})",
                                 "emitter.json", &trace));
        particles->Read(reader, &registry);
        registry.GetSystem<ECS>()->SortRenderList();
    }

    void SetOrder(int order)
    {
        store.GetComponent<ParticleEmitter>(emitter)->order = order;
        registry.GetSystem<ECS>()->SortRenderList();
    }

    Entity emitter;
};

TEST_F(ParticleDrawTest, ALitParticleDrawsInItsPlaceInTheDrawOrder)
{
    const std::size_t reports = trace.ReportCount();
    renderer.ambient = renderer.ambientTarget = {0.25f, 0.25f, 0.25f};
    AddSprite("Red", {0.0f, 0.0f}, 1200.0f, 0);
    AddEmitter({0.0f, 0.0f}, 1);
    AddSprite("Green", {100.0f, 0.0f}, 200.0f, 2);
    AddLight({-100.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, 2000.0f);
    Frames(1);

    // The white particle takes the ambient grey and the blue light, in front of the red sprite...
    const Color particle = WindowAt({-100.0f, 0.0f});
    EXPECT_NEAR(particle.r, 64, 4);
    EXPECT_EQ(particle.r, particle.g);
    EXPECT_GT(particle.b, 200);
    const Color behind = WindowAt({-450.0f, 0.0f});
    EXPECT_NEAR(behind.r, 64, 4);
    EXPECT_EQ(behind.g, 0);
    // ...and behind the green one.
    const Color inFront = WindowAt({100.0f, 0.0f});
    EXPECT_EQ(inFront.r, 0);
    EXPECT_GT(inFront.g, 50);
    EXPECT_EQ(inFront.b, 0);

    // Drawn last, it covers the green sprite too.
    SetOrder(3);
    Frames(1);
    const Color onTop = WindowAt({100.0f, 0.0f});
    EXPECT_EQ(onTop.r, onTop.g);
    EXPECT_GT(onTop.b, onTop.r);
    EXPECT_EQ(trace.ReportCount(), reports) << trace.Text();
}

} // namespace
} // namespace kesto
