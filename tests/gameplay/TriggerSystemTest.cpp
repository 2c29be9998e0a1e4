#include "gameplay/Trigger.h"
#include "gameplay/TriggerKindsPlayer.h"
#include "gameplay/TriggerWorld.h"
#include "ui/TimerSystem.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

// Frames of 1/64 s: delays in these tests are whole numbers of frames, with no rounding.
constexpr float step = 1.0f / 64.0f;

// Timer "Split" functions are counted by the splits they leave.
std::size_t Runs(test::TriggerWorld& world) { return world.world.registry.GetSystem<TimerSystem>()->splits.size(); }

struct ContactCase
{
    const char* name;
    const char* functions;
    const char* contacts; // per frame: '1' when the player is inside during the collision pass
    const char* dashing;  // per frame: '1' when the player's requested state is "Dash"; empty: never
    const char* runs;     // per frame: '1' when the function ran in that frame's trigger update
};

TEST(Trigger, FunctionsRunInTheFramesTheirEventAndDelaySay)
{
    const std::vector<ContactCase> cases = {
        {"On Collide runs in every frame after a contact", R"({"Timer": {"function": 1}})", "11110000", "", "01111000"},
        {"On Enter runs once per entry", R"({"Timer": {"event": 0, "function": 1}})", "1111001100", "", "0100000100"},
        {"On Enter runs again after one pass outside", R"({"Timer": {"event": 0, "function": 1}})", "11011", "",
         "01001"},
        {"a scheduled function runs after the player has left",
         R"({"Timer": {"event": 0, "delay": 0.0625, "function": 1}})", "10000000", "", "00001000"},
        {"a waiting function is not rescheduled; the next contact after it ran is",
         R"({"Timer": {"delay": 0.0625, "function": 1}})", "111111111111", "", "000010001000"},
        {"a delay below a millionth of a second runs in the next frame", R"({"Timer": {"delay": -3.0, "function": 1}})",
         "100", "", "010"},
        {"dashRequired: touching while not dashing does nothing", R"({"Timer": {"dashRequired": true, "function": 1}})",
         "1111", "", "0000"},
        {"dashRequired: a contact during a dash runs even when the dash is over",
         R"({"Timer": {"dashRequired": true, "delay": 0.0625, "function": 1}})", "1111111", "1000000", "0000100"},
    };
    for (const ContactCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        test::TriggerWorld world;
        const Entity trigger = world.AddTrigger(c.functions);
        const std::string dashing = c.dashing;
        std::string runs;
        for (std::size_t frame = 0; c.contacts[frame] != '\0'; ++frame)
        {
            const bool dash = frame < dashing.size() && dashing[frame] == '1';
            world.Player().stateMachine.requestedState =
                static_cast<int>(dash ? PlayerState::Dash : PlayerState::Normal);
            const std::size_t before = Runs(world);
            world.Pass(trigger, c.contacts[frame] == '1', step);
            runs += Runs(world) > before ? '1' : '0';
        }
        EXPECT_EQ(runs, c.runs);
    }
}

TEST(Trigger, OnCollideWithADelayOfHalfASecondRunsEveryHalfSecondPlusAtMostAFrame)
{
    test::TriggerWorld world;
    const Entity trigger = world.AddTrigger(R"({"Timer": {"delay": 0.5, "function": 1}})");
    std::vector<int> runFrames;
    for (int frame = 0; frame < 200; ++frame)
    {
        const std::size_t before = Runs(world);
        world.Pass(trigger, true, test::PlayerWorld::frame);
        if (Runs(world) > before)
        {
            runFrames.push_back(frame);
        }
    }
    ASSERT_GE(runFrames.size(), 5u);
    int previous = 0; // the first contact
    for (const int frame : runFrames)
    {
        EXPECT_GE(frame - previous, 30) << "ran before half a second had passed, at frame " << frame;
        EXPECT_LE(frame - previous, 31) << "ran later than half a second and a frame, at frame " << frame;
        previous = frame;
    }
}

TEST(Trigger, StepsOfZeroHoldEveryWait)
{
    test::TriggerWorld world;
    const Entity trigger = world.AddTrigger(R"({"Timer": {"event": 0, "delay": 0.03125, "function": 1}})");
    world.Pass(trigger, true, step);
    const TriggerFunction& function = *world.Get<TriggerComponent>(trigger).functions[0];
    EXPECT_EQ(function.pendingTimer, 0.03125f);
    for (int frame = 0; frame < 10; ++frame)
    {
        world.Pass(trigger, frame < 5, 0.0f);
    }
    EXPECT_EQ(function.pendingTimer, 0.03125f);
    EXPECT_EQ(Runs(world), 0u);
    world.Pass(trigger, false, step);
    EXPECT_EQ(Runs(world), 0u);
    world.Pass(trigger, false, step);
    EXPECT_EQ(Runs(world), 1u);
}

TEST(Trigger, FunctionsRunInListOrderAndHappensOnceRemovesThemAsTheyRun)
{
    struct OrderCase
    {
        const char* functions;
        float zoomAfterFirstRun;
        std::size_t functionsLeft;
        float zoomAfterSecondRun;
    };
    const std::vector<OrderCase> cases = {
        {R"({"Camera Zoom": {"scalar": 2.0}, "Camera Zoom": {"scalar": 3.0}})", 3.0f, 2u, 3.0f},
        {R"({"Camera Zoom": {"scalar": 3.0}, "Camera Zoom": {"scalar": 2.0}})", 2.0f, 2u, 2.0f},
        // The function after a removed one still runs in the same frame.
        {R"({"Camera Zoom": {"scalar": 2.0, "happensOnce": true}, "Camera Zoom": {"scalar": 3.0}})", 3.0f, 1u, 3.0f},
        {R"({"Camera Zoom": {"scalar": 2.0}, "Camera Zoom": {"scalar": 3.0, "happensOnce": true}})", 3.0f, 1u, 2.0f},
        {R"({"Camera Zoom": {"scalar": 2.0, "happensOnce": true}, "Camera Zoom": {"scalar": 3.0, "happensOnce": true},
             "Timer": {"function": 1, "happensOnce": true}})",
         3.0f, 0u, 3.0f},
    };
    for (const OrderCase& c : cases)
    {
        SCOPED_TRACE(c.functions);
        test::TriggerWorld world;
        const Entity trigger = world.AddTrigger(c.functions);
        world.Pass(trigger, true, step);
        world.Pass(trigger, true, step);
        EXPECT_EQ(world.Player().zoomScalar, c.zoomAfterFirstRun);
        EXPECT_EQ(world.Get<TriggerComponent>(trigger).functions.size(), c.functionsLeft);
        world.Player().zoomScalar = 1.0f;
        for (int frame = 0; frame < 4; ++frame)
        {
            world.Pass(trigger, true, step);
        }
        EXPECT_EQ(world.Player().zoomScalar, c.functionsLeft == 0 ? 1.0f : c.zoomAfterSecondRun);
        EXPECT_LE(Runs(world), 1u) << "a function that happens once ran again";
    }
}

TEST(Trigger, TheLatestToucherIsTheOneTheFunctionsActOn)
{
    test::TriggerWorld world;
    const Entity trigger = world.AddTrigger(R"({"Camera Zoom": {"scalar": 2.0}})");
    const TriggerComponent& component = world.Get<TriggerComponent>(trigger);
    EXPECT_FALSE(component.otherEntity.IsValid());
    world.Pass(trigger, true, step);
    EXPECT_EQ(component.otherEntity, world.player);
    EXPECT_TRUE(component.touching);
    world.Pass(trigger, false, step);
    EXPECT_FALSE(component.touching);
    EXPECT_TRUE(component.wasTouching);
    EXPECT_EQ(world.Player().zoomScalar, 2.0f);
}

} // namespace
} // namespace kesto
