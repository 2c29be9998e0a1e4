#include "animation/AnimationSystem.h"

#include "animation/Animation.h"
#include "ecs/Transform.h"
#include "graphics/Mesh.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSource.h"
#include "levels/LevelManager.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace kesto
{
namespace
{

class AnimationSystemTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        world.Init();
        levels = world.registry.GetSystem<LevelManager>();
        levels->levelEntities.emplace_back();
        sheet.name = "Sheet";
        sheet.rows = 1;
        sheet.columns = 4;
        sheet.frameCount = 4;
        sheet.frameDuration = 0.1f;
    }

    Entity Spawn(SpriteSource& source, const std::string& name = "Animated")
    {
        Entity e(name);
        world.Store().AddComponent<Transform>(e);
        world.Store().AddComponent<Sprite>(e)->spriteSource = &source;
        world.Store().AddComponent<Animation>(e);
        levels->AddToLevel(e);
        return e;
    }

    void Step(float dt)
    {
        SystemStore& systems = world.Systems();
        systems.GetSystem<AnimationSystem>()->Update(systems.GetEntityList<AnimationSystem>(), dt);
    }
    Animation& AnimationOf(const Entity& e) { return *world.Store().GetComponent<Animation>(e); }
    Sprite& SpriteOf(const Entity& e) { return *world.Store().GetComponent<Sprite>(e); }

    test::TestWorld world;
    LevelManager* levels = nullptr;
    SpriteSource sheet;
};

TEST_F(AnimationSystemTest, ALongStepEntersSeveralCells)
{
    sheet.isLooping = true;
    const Entity e = Spawn(sheet);
    Step(0.0f); // starts playing at cell 0
    EXPECT_EQ(SpriteOf(e).mesh->uExtent, 0.25f);
    Step(0.25f);
    EXPECT_EQ(AnimationOf(e).framesEntered, (std::vector<int>{1, 2}));
    EXPECT_NEAR(AnimationOf(e).timer, 0.05f, 1e-6f);
    EXPECT_EQ(SpriteOf(e).frame, 2);
}

TEST_F(AnimationSystemTest, StartingWithAQuarterStepShowsThreeTenthCells)
{
    sheet.isLooping = true;
    const Entity e = Spawn(sheet);
    Step(0.25f); // cell 0 from the start, then cells 1 and 2
    EXPECT_EQ(AnimationOf(e).framesEntered, (std::vector<int>{1, 2}));
    EXPECT_EQ(SpriteOf(e).frame, 2);
    EXPECT_NEAR(AnimationOf(e).timer, 0.05f, 1e-6f);
}

TEST_F(AnimationSystemTest, ANonLoopingAnimationStopsPastItsLastCellAndIsFinishedOnce)
{
    const Entity e = Spawn(sheet);
    Step(0.0f);
    Step(0.1f);
    Step(0.1f);
    Step(0.1f);
    EXPECT_EQ(SpriteOf(e).frame, 3);
    EXPECT_FALSE(AnimationOf(e).finished);
    Step(0.1f);
    EXPECT_EQ(AnimationOf(e).frame, 4);
    EXPECT_EQ(SpriteOf(e).frame, 3);
    EXPECT_TRUE(AnimationOf(e).finished);
    EXPECT_EQ(AnimationOf(e).framesEntered, (std::vector<int>{4}));
    Step(0.1f);
    EXPECT_FALSE(AnimationOf(e).finished);
    EXPECT_TRUE(AnimationOf(e).framesEntered.empty());
}

TEST_F(AnimationSystemTest, ASourceWithoutCellsDoesNothing)
{
    sheet.frameCount = 0;
    const Entity e = Spawn(sheet);
    Step(0.0f);
    Step(1.0f);
    EXPECT_EQ(AnimationOf(e).frame, 0);
    EXPECT_TRUE(AnimationOf(e).framesEntered.empty());
}

TEST_F(AnimationSystemTest, ASpriteWithoutAnimationIsNeverAdvanced)
{
    Entity still("Still");
    world.Store().AddComponent<Sprite>(still)->spriteSource = &sheet;
    Step(0.0f);
    Step(0.5f);
    EXPECT_EQ(world.Store().GetComponent<Sprite>(still)->frame, 0);
}

TEST_F(AnimationSystemTest, DestroyOnFinishRemovesALoopAtItsFirstWrapAndStopsTheWalk)
{
    sheet.isLooping = true;
    const Entity first = Spawn(sheet);
    const Entity second = Spawn(sheet);
    AnimationOf(first).destroyOnFinish = true;
    Step(0.0f);
    Step(0.35f);
    EXPECT_TRUE(world.Store().HasComponent<Animation>(first));
    const int secondFrameBefore = AnimationOf(second).frame;
    Step(0.1f);
    EXPECT_FALSE(world.Store().HasComponent<Animation>(first));
    EXPECT_EQ(levels->levelEntities[0], std::vector<Entity>{second});
    // The walk ended at the destruction, so the second entity did not advance this frame.
    EXPECT_EQ(AnimationOf(second).frame, secondFrameBefore);
    Step(0.1f);
    EXPECT_NE(AnimationOf(second).frame, secondFrameBefore);
}

TEST_F(AnimationSystemTest, RestartPlaysTheNewSourceFromItsFirstCell)
{
    sheet.isLooping = true;
    const Entity e = Spawn(sheet);
    Step(0.0f);
    Step(0.25f);
    SpriteSource other = {};
    other.name = "Other";
    other.rows = 2;
    other.columns = 2;
    other.frameCount = 3;
    other.frameDuration = 0.5f;
    SpriteOf(e).spriteSource = &other;
    AnimationOf(e).Restart();
    Step(0.1f);
    EXPECT_EQ(AnimationOf(e).frameCount, 3);
    EXPECT_EQ(AnimationOf(e).frame, 0);
    EXPECT_NEAR(AnimationOf(e).timer, 0.4f, 1e-6f);
    EXPECT_EQ(SpriteOf(e).mesh->vExtent, 0.5f);
}

TEST_F(AnimationSystemTest, ZeroLengthCellsAdvanceOneCellPerUpdate)
{
    sheet.isLooping = true;
    sheet.frameDuration = 0.0f;
    const Entity e = Spawn(sheet);
    Step(0.016f);
    EXPECT_EQ(AnimationOf(e).framesEntered, (std::vector<int>{1}));
    Step(0.016f);
    EXPECT_EQ(AnimationOf(e).framesEntered, (std::vector<int>{2}));
}

TEST_F(AnimationSystemTest, EndlessStepsHoldTheCellAndHugeOnesPassTheLoopOnce)
{
    struct Case
    {
        const char* what;
        float speed;
        float frameDuration;
        std::vector<int> entered; // in the second update
        bool reported;
    };
    const float infinity = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        // "runSpeed": 0.0 with the player moving asks for an infinite speed.
        {"infinite speed", infinity, 0.1f, {}, true},
        {"undefined speed", std::numeric_limits<float>::quiet_NaN(), 0.1f, {}, true},
        {"huge speed", 1e30f, 0.1f, {1, 2, 3, 0}, false},
        {"vanishing cells", 1.0f, 1e-30f, {1, 2, 3, 0}, false},
    };
    sheet.isLooping = true;
    for (const Case& c : cases)
    {
        sheet.frameDuration = c.frameDuration;
        const Entity e = Spawn(sheet, c.what);
        Step(0.0f);
        AnimationOf(e).speed = c.speed;
        const std::size_t reportsBefore = world.trace->ReportCount();
        Step(0.1f);
        EXPECT_EQ(AnimationOf(e).framesEntered, c.entered) << c.what;
        EXPECT_EQ(AnimationOf(e).frame, c.entered.empty() ? 0 : c.entered.back()) << c.what;
        EXPECT_GT(AnimationOf(e).timer, 0.0f) << c.what;
        Step(0.1f);
        EXPECT_EQ(world.trace->ReportCount() - reportsBefore, c.reported ? 1u : 0u) << c.what;
        if (c.reported)
        {
            EXPECT_NE(world.trace->Text().find("ANIMATION: " + std::string(c.what) + ": playback speed"),
                      std::string::npos)
                << world.trace->Text();
        }
        levels->RemoveFromLevel(e);
        world.Store().DestroyEntity(e);
    }
}

TEST(Animation, ReadsItsTwoFlagsAndComparesThem)
{
    Animation a;
    EXPECT_TRUE(a.playOnStart);
    Animation b;
    b.speed = 3.0f;
    EXPECT_TRUE(a.Equals(b));
    b.destroyOnFinish = true;
    EXPECT_TRUE(a.NotEquals(b));
}

} // namespace
} // namespace kesto
