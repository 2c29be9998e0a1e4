#include "SpineTestSupport.h"

#include <cmath>
#include <random>

namespace kesto::spine
{
namespace
{

// The worked example's arm and "wave", plus animations to queue and mix with.
constexpr std::string_view stateJson = R"({
  "bones": [ { "name": "root" }, { "name": "arm", "parent": "root", "x": 10, "y": 20, "rotation": 90 } ],
  "animations": {
    "wave": { "bones": { "arm": { "rotate": [
      { "angle": 0, "curve": 0.25, "c3": 0.75 }, { "time": 0.5, "angle": 45 }, { "time": 1, "angle": 0 } ] } } },
    "hold": { "bones": { "arm": { "rotate": [ { "angle": 90 } ] } } },
    "slide": { "bones": { "arm": { "translate": [ { "x": 10 }, { "time": 2, "x": 10 } ] } } }
  }
})";

class AnimationStateTest : public test::SpineFixture
{
protected:
    void SetUp() override
    {
        data = LoadSkeleton(stateJson);
        ASSERT_NE(data, nullptr);
        stateData = std::make_unique<AnimationStateData>(*data);
        skeleton = std::make_unique<Skeleton>(*data);
        state = std::make_unique<AnimationState>(*stateData);
    }

    // The arm's keyed angle after one update and apply.
    float Angle(float dt)
    {
        state->Update(dt);
        state->Apply(*skeleton);
        return Arm().rotation - 90.0f;
    }

    Bone& Arm() { return *skeleton->FindBone("arm"); }

    std::unique_ptr<SkeletonData> data;
    std::unique_ptr<AnimationStateData> stateData;
    std::unique_ptr<Skeleton> skeleton;
    std::unique_ptr<AnimationState> state;
};

TEST_F(AnimationStateTest, SamplesTheWorkedExampleAtItsTimes)
{
    struct Case
    {
        float time;
        bool loop;
        float angle;
    };
    // 5.762 and 39.238 are the exact Bezier values (a 10-segment approximation would give 5.854 and 39.146).
    const Case cases[] = {
        {0.0f, true, 0.0f},  {0.1f, true, 5.762f}, {0.25f, true, 22.5f}, {0.4f, true, 39.238f}, {0.75f, true, 22.5f},
        {1.0f, false, 0.0f}, {1.25f, true, 22.5f}, {1.25f, false, 0.0f}, {3.4f, true, 39.238f}, {0.5f, false, 45.0f},
    };
    for (const Case& c : cases)
    {
        ASSERT_NE(state->SetAnimationByName(0, "wave", c.loop), nullptr);
        EXPECT_NEAR(Angle(c.time), c.angle, 2e-3f) << "t " << c.time << (c.loop ? " looping" : "");
        state->ClearTracks();
    }
}

// What the host does every frame: update, apply, and keep "wave" queued behind the current entry.
TEST_F(AnimationStateTest, KeepsLoopingWhenQueuedBehindItselfEveryFrame)
{
    std::mt19937 random(17);
    std::uniform_real_distribution<float> frame(0.004f, 0.05f);
    const Animation& wave = *data->FindAnimation("wave");
    Skeleton reference(*data);
    double total = 0.0;
    for (int i = 0; i < 400; ++i)
    {
        const float dt = i == 0 ? 0.0f : frame(random);
        total += dt;
        state->Update(dt);
        state->Apply(*skeleton);
        TrackEntry* current = state->GetCurrent(0);
        if (!current || !current->next)
        {
            ASSERT_NE(state->AddAnimationByName(0, "wave", true, 0.0f), nullptr);
        }
        current = state->GetCurrent(0);
        ASSERT_NE(current, nullptr);
        EXPECT_EQ(current->next == nullptr, i == 0) << "frame " << i;
        if (current->next)
        {
            EXPECT_EQ(current->next->next, nullptr);
        }
        wave.Apply(reference, static_cast<float>(std::fmod(total, 1.0)), false, 1.0f, MixBlend::Setup);
        EXPECT_NEAR(Arm().rotation, reference.FindBone("arm")->rotation, 0.05f) << "at " << total << " s";
    }
    EXPECT_GT(total, 8.0);
}

TEST_F(AnimationStateTest, PlaysQueuedEntriesAfterTheirDelay)
{
    struct Case
    {
        bool loop;
        float delay;
        float switchesAt; // seconds after the first entry started
    };
    const Case cases[] = {
        {false, 0.3f, 0.3f}, // a positive delay counts from the start of the previous entry
        {false, 0.0f, 1.0f}, // otherwise the previous entry's end
        {true, 0.0f, 1.0f},  // a looping one hands over at the end of its loop
        {false, -0.25f, 0.75f},
    };
    for (const Case& c : cases)
    {
        state->ClearTracks();
        state->SetAnimationByName(0, "wave", c.loop);
        TrackEntry* queued = state->AddAnimationByName(0, "hold", false, c.delay);
        ASSERT_NE(queued, nullptr);
        state->Update(c.switchesAt - 0.01f);
        EXPECT_EQ(state->GetCurrent(0)->animation->name, "wave") << "delay " << c.delay;
        EXPECT_EQ(state->GetCurrent(0)->next.get(), queued);
        state->Update(0.02f);
        ASSERT_EQ(state->GetCurrent(0), queued) << "delay " << c.delay;
        EXPECT_NEAR(queued->trackTime, 0.01f, 1e-5f) << "the time past the switch carries over";
        EXPECT_NEAR(Angle(0.0f), 90.0f, 1e-4f);
    }
}

TEST_F(AnimationStateTest, WaitsOutTheDelayOfAFirstEntryAndEmptiesAtTrackEnd)
{
    TrackEntry* entry = state->AddAnimationByName(0, "wave", true, 0.5f);
    ASSERT_EQ(state->GetCurrent(0), entry);
    EXPECT_NEAR(Angle(0.4f), 0.0f, 1e-5f) << "not applied while waiting";
    EXPECT_NEAR(Angle(0.35f), 22.5f, 2e-3f) << "0.25 s into the animation";
    entry->trackEnd = 0.5f;
    state->Update(0.3f);
    EXPECT_EQ(state->GetCurrent(0), nullptr);
    EXPECT_THROW(state->SetAnimationByName(-1, "wave", true), std::out_of_range);
    EXPECT_THROW(state->AddAnimationByName(AnimationState::maxTracks, "wave", true, 0), std::out_of_range);
    EXPECT_EQ(state->GetCurrent(99), nullptr);
}

TEST_F(AnimationStateTest, PlaysOnlyAnimationsThatExist)
{
    EXPECT_EQ(state->AddAnimationByName(0, "animation", true, 0.0f), nullptr);
    EXPECT_EQ(state->SetAnimationByName(0, "animation", true), nullptr);
    EXPECT_EQ(state->GetCurrent(0), nullptr);
    EXPECT_NEAR(Angle(0.5f), 0.0f, 1e-5f) << "the setup pose stays";
    EXPECT_FALSE(stateData->SetMixByName("wave", "animation", 1.0f));
}

TEST_F(AnimationStateTest, CrossfadesOverTheMixDuration)
{
    ASSERT_TRUE(stateData->SetMixByName("wave", "hold", 0.5f));
    ASSERT_TRUE(stateData->SetMixByName("slide", "hold", 0.5f));
    struct Case
    {
        const char* from;
        float fromTime;
        float angleHalfway; // the old pose blended halfway towards "hold"'s 90 degrees
        float xHalfway;     // what only the old animation keys fades back to the setup pose
    };
    const Case cases[] = {
        {"wave", 0.5f, 56.25f, 10.0f}, // "wave" at 0.75 s shows 22.5 degrees
        {"slide", 0.0f, 45.0f, 15.0f},
    };
    for (const Case& c : cases)
    {
        skeleton->SetToSetupPose();
        state->ClearTracks();
        state->SetAnimationByName(0, c.from, false);
        Angle(c.fromTime);
        TrackEntry* hold = state->SetAnimationByName(0, "hold", false);
        ASSERT_NE(hold->mixingFrom, nullptr);
        EXPECT_FLOAT_EQ(hold->mixDuration, 0.5f);
        EXPECT_NEAR(Angle(0.25f), c.angleHalfway, 2e-3f) << c.from;
        EXPECT_NEAR(Arm().x, c.xHalfway, 1e-4f) << c.from;
        EXPECT_NEAR(Angle(0.25f), 90.0f, 1e-4f) << c.from;
        EXPECT_NEAR(Arm().x, 10.0f, 1e-4f) << c.from;
        EXPECT_EQ(hold->mixingFrom, nullptr) << "the old entry is gone once the fade is over";
    }
}

TEST_F(AnimationStateTest, SwitchesAtOnceWithoutAMixAndResetsWhatTheOldOneKeyed)
{
    state->SetAnimationByName(0, "slide", true);
    Angle(0.5f);
    EXPECT_NEAR(Arm().x, 20.0f, 1e-4f);
    state->SetAnimationByName(0, "wave", true);
    EXPECT_NEAR(Angle(0.25f), 22.5f, 2e-3f);
    EXPECT_NEAR(Arm().x, 10.0f, 1e-4f);
}

TEST_F(AnimationStateTest, AnimatesTwoSkeletonsOfOneDataIndependently)
{
    Skeleton other(*data);
    AnimationState otherState(*stateData);
    state->SetAnimationByName(0, "wave", true);
    otherState.SetAnimationByName(0, "wave", true);
    for (int i = 0; i < 10; ++i)
    {
        state->Update(0.025f);
        otherState.Update(0.0f);
        state->Apply(*skeleton);
        otherState.Apply(other);
    }
    skeleton->UpdateWorldTransform();
    other.UpdateWorldTransform();
    EXPECT_NEAR(Arm().rotation, 112.5f, 2e-3f);
    EXPECT_NEAR(other.FindBone("arm")->rotation, 90.0f, 1e-5f);
    EXPECT_NEAR(other.FindBone("arm")->a, 0.0f, 1e-5f);
    const auto strangerData = LoadSkeleton(stateJson);
    Skeleton stranger(*strangerData);
    EXPECT_THROW(state->Apply(stranger), std::invalid_argument);
}

} // namespace
} // namespace kesto::spine
