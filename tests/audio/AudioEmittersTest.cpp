#include "audio/Audio.h"
#include "audio/AudioInternal.h"
#include "audio/AudioWorld.h"
#include "audio/SoundEmitter.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

using studio::PlaybackState;
using test::jumpEvent;
using test::laserEvent;

class AudioEmittersTest : public test::AudioFixture
{
protected:
    std::string Key(const char* path, const Entity& entity) { return path + std::to_string(entity.id); }

    float LaserParameter(const Entity& entity)
    {
        float value = -1.0f;
        EXPECT_EQ(audio.FindInstance(Key(laserEvent, entity)).GetParameterByName("Laser_OnOff", &value),
                  studio::Result::Ok);
        return value;
    }

    studio::Vector3 PlacedAt(const Entity& entity, const char* path)
    {
        studio::Attributes3D attributes;
        EXPECT_EQ(audio.FindInstance(Key(path, entity)).Get3DAttributes(&attributes), studio::Result::Ok);
        return attributes.position;
    }

    // Frames until the entity's sound queue is empty; the number of frames it took, or -1 after `limit`.
    int FramesUntilQueueEmpty(const Entity& entity, int limit)
    {
        for (int frame = 1; frame <= limit; ++frame)
        {
            world.Frame();
            if (world.EmitterOf(entity).soundQueue.empty())
            {
                return frame;
            }
        }
        return -1;
    }
};

// Root mean square of one channel of interleaved stereo.
float ChannelRms(const std::vector<float>& frames, std::size_t channel)
{
    std::vector<float> samples;
    for (std::size_t i = channel; i < frames.size(); i += 2)
    {
        samples.push_back(frames[i]);
    }
    return test::Rms(samples);
}

TEST_F(AudioEmittersTest, TheMainSoundPlaysOnceAtTheFirstServiceAndLeavesWhenItStops)
{
    const Entity entity = world.AddEmitter(std::nullopt, true);
    world.EmitterOf(entity).mainSound.eventPath = jumpEvent;
    world.Frame();
    SoundEmitter& emitter = world.EmitterOf(entity);
    EXPECT_FALSE(emitter.playOnStart);
    ASSERT_EQ(emitter.soundQueue.size(), 1u);
    EXPECT_TRUE(emitter.soundQueue[0].started);
    EXPECT_FALSE(emitter.mainSound.started);
    EXPECT_EQ(world.State(Key(jumpEvent, entity)), PlaybackState::Playing);
    EXPECT_GT(test::Rms(world.Mix(800)), 0.01f);
    // A one-shot of 0.1 s: gone within a few frames of 1/60 s, and not played again.
    EXPECT_GT(FramesUntilQueueEmpty(entity, 12), 0);
    world.Frame();
    EXPECT_TRUE(emitter.soundQueue.empty());
    EXPECT_EQ(test::Rms(world.Mix(800)), 0.0f);
}

TEST_F(AudioEmittersTest, AnEmptySoundStaysQueuedAndPlaysNothing)
{
    const Entity entity = world.AddEmitter(std::nullopt, true);
    world.Frame();
    world.Frame();
    const SoundEmitter& emitter = world.EmitterOf(entity);
    ASSERT_EQ(emitter.soundQueue.size(), 1u);
    EXPECT_EQ(emitter.soundQueue[0].eventPath, "");
    EXPECT_FALSE(emitter.soundQueue[0].started);
    EXPECT_FALSE(audio.FindInstance(std::to_string(entity.id)).IsValid());
    EXPECT_EQ(test::Rms(world.Mix(800)), 0.0f);
    EXPECT_EQ(world.trace->Text(), "");
}

TEST_F(AudioEmittersTest, RequestsBehindAnEmptyOneStillPlay)
{
    const Entity entity = world.AddEmitter(std::nullopt, true);
    world.Frame();
    world.EmitterOf(entity).QueueSound({laserEvent});
    world.Frame();
    EXPECT_EQ(world.EmitterOf(entity).soundQueue.size(), 2u);
    EXPECT_EQ(world.State(Key(laserEvent, entity)), PlaybackState::Playing);
}

TEST_F(AudioEmittersTest, ParametersWaitForASoundRequest)
{
    const Entity entity = world.AddEmitter();
    SoundEmitter& emitter = world.EmitterOf(entity);
    emitter.QueueParameter(laserEvent, "Laser_OnOff", 1.0f);
    world.Frame();
    world.Frame();
    ASSERT_EQ(emitter.parameterQueue.size(), 1u);

    emitter.QueueSound({laserEvent});
    world.Frame();
    EXPECT_TRUE(emitter.parameterQueue.empty());
    EXPECT_EQ(LaserParameter(entity), 1.0f);
}

TEST_F(AudioEmittersTest, OfTwoChangesToOneParameterTheEarlierStays)
{
    const Entity entity = world.AddEmitter();
    SoundEmitter& emitter = world.EmitterOf(entity);
    emitter.QueueSound({laserEvent});
    emitter.QueueParameter(laserEvent, "Laser_OnOff", 0.4f);
    emitter.QueueParameter(laserEvent, "Laser_OnOff", 1.0f);
    world.Frame();
    EXPECT_EQ(LaserParameter(entity), 0.4f);
}

TEST_F(AudioEmittersTest, ARequestsOwnParameterIsSetWhenItStarts)
{
    const Entity entity = world.AddEmitter();
    world.EmitterOf(entity).QueueSound({laserEvent, false, "Laser_OnOff", 0.7f});
    world.Frame();
    EXPECT_FLOAT_EQ(LaserParameter(entity), 0.7f);
}

TEST_F(AudioEmittersTest, APositionalSoundFollowsTheEntity)
{
    const Entity entity = world.AddEmitter(Vec2{1000.0f, 50.0f});
    world.EmitterOf(entity).QueueSound({laserEvent, true});
    world.Frame();
    EXPECT_EQ(PlacedAt(entity, laserEvent).x, 1000.0f);
    EXPECT_EQ(PlacedAt(entity, laserEvent).y, 50.0f);
    // Right of the listener: the left channel is quieter.
    const std::vector<float> right = world.Mix(4800);
    EXPECT_LT(ChannelRms(right, 0), 0.9f * ChannelRms(right, 1));

    world.TransformOf(entity).SetTranslation({-1000.0f, -20.0f});
    world.Frame();
    EXPECT_EQ(PlacedAt(entity, laserEvent).x, -1000.0f);
    EXPECT_EQ(PlacedAt(entity, laserEvent).y, -20.0f);
    const std::vector<float> left = world.Mix(4800);
    EXPECT_LT(ChannelRms(left, 1), 0.9f * ChannelRms(left, 0));
}

TEST_F(AudioEmittersTest, ANonPositionalSoundStaysAtTheListener)
{
    const Entity entity = world.AddEmitter(Vec2{1000.0f, 50.0f});
    world.EmitterOf(entity).QueueSound({laserEvent});
    world.Frame();
    world.TransformOf(entity).SetTranslation({1500.0f, 0.0f});
    world.Frame();
    EXPECT_EQ(PlacedAt(entity, laserEvent).x, 0.0f);
    const std::vector<float> frames = world.Mix(4800);
    EXPECT_FLOAT_EQ(ChannelRms(frames, 0), ChannelRms(frames, 1));
}

TEST_F(AudioEmittersTest, APositionalRequestWithoutATransformPlaysUnplaced)
{
    const Entity entity = world.AddEmitter();
    SoundEmitter& emitter = world.EmitterOf(entity);
    emitter.QueueSound({laserEvent, true});
    emitter.QueueParameter(laserEvent, "Laser_OnOff", 1.0f);
    world.camera->SetPosition({1.0e6f, 0.0f});
    world.Frame();
    EXPECT_EQ(world.State(Key(laserEvent, entity)), PlaybackState::Playing);
    EXPECT_EQ(PlacedAt(entity, laserEvent).x, 0.0f);
    // No position, so no camera gate.
    EXPECT_EQ(LaserParameter(entity), 1.0f);
}

TEST_F(AudioEmittersTest, TwoRequestsForOnePathInOneFrameShareTheInstance)
{
    const Entity entity = world.AddEmitter();
    SoundEmitter& emitter = world.EmitterOf(entity);
    emitter.QueueSound({jumpEvent});
    emitter.QueueSound({jumpEvent});
    world.Frame();
    ASSERT_EQ(emitter.soundQueue.size(), 2u);
    EXPECT_TRUE(emitter.soundQueue[0].started);
    EXPECT_TRUE(emitter.soundQueue[1].started);
    EXPECT_EQ(world.InstanceCount(jumpEvent), 1);
    // They stop together.
    EXPECT_GT(FramesUntilQueueEmpty(entity, 12), 0);
}

TEST_F(AudioEmittersTest, AnUnknownEventIsDroppedWithOneReport)
{
    const Entity entity = world.AddEmitter();
    SoundEmitter& emitter = world.EmitterOf(entity);
    emitter.QueueSound({"event:/SFX/Nope"});
    emitter.QueueParameter(laserEvent, "Laser_OnOff", 1.0f);
    world.Frame();
    world.Frame();
    EXPECT_TRUE(emitter.soundQueue.empty());
    EXPECT_EQ(emitter.parameterQueue.size(), 1u) << "waits for a sound that can take it";
    EXPECT_EQ(world.trace->Text(), "AUDIO: event:/SFX/Nope: not a known event; dropped from the sound queue of "
                                   "entity " +
                                       std::to_string(entity.id) + "\n");
}

TEST_F(AudioEmittersTest, ARequestWhoseInstanceWasReleasedLeavesTheQueue)
{
    const Entity entity = world.AddEmitter();
    world.EmitterOf(entity).QueueSound({laserEvent});
    world.Frame();
    audio.ReleaseAllInstances();
    world.Frame();
    EXPECT_TRUE(world.EmitterOf(entity).soundQueue.empty());
    EXPECT_EQ(world.trace->Text(), "");
}

TEST_F(AudioEmittersTest, AnEmitterFarOutsideTheViewGetsNoParameterChanges)
{
    // Camera at the origin, view 1600 high and as wide: changes reach emitters up to 3200 units away.
    ASSERT_EQ(world.camera->GetZoom(), 1600.0f);
    ASSERT_EQ(world.camera->GetAspect(), 1.0f);
    const Entity far = world.AddEmitter(Vec2{3000.0f, -1500.0f});
    const Entity near = world.AddEmitter(Vec2{3000.0f, 0.0f});
    for (const Entity& entity : {far, near})
    {
        world.EmitterOf(entity).QueueSound({laserEvent});
        world.EmitterOf(entity).QueueParameter(laserEvent, "Laser_OnOff", 1.0f);
    }
    world.Frame();
    EXPECT_TRUE(world.EmitterOf(far).parameterQueue.empty());
    EXPECT_EQ(LaserParameter(far), 0.0f);
    EXPECT_EQ(LaserParameter(near), 1.0f);

    // The rule follows the camera.
    world.camera->SetPosition({2000.0f, 0.0f});
    world.EmitterOf(far).QueueParameter(laserEvent, "Laser_OnOff", 1.0f);
    world.Frame();
    EXPECT_EQ(LaserParameter(far), 1.0f);
}

TEST(AudioCameraGate, HoldsBeyondTwoViewWidthsFromTheCentre)
{
    const Vec2 camera{100.0f, 100.0f};
    EXPECT_FALSE(IsFarOutsideView({100.0f, 100.0f}, camera, 1600.0f, 1.5f));
    EXPECT_FALSE(IsFarOutsideView({100.0f + 4800.0f, 100.0f}, camera, 1600.0f, 1.5f));
    EXPECT_TRUE(IsFarOutsideView({100.0f + 4801.0f, 100.0f}, camera, 1600.0f, 1.5f));
    EXPECT_TRUE(IsFarOutsideView({100.0f, 100.0f - 4801.0f}, camera, 1600.0f, 1.5f));
    EXPECT_TRUE(IsFarOutsideView({100.0f + 3500.0f, 100.0f + 3500.0f}, camera, 1600.0f, 1.5f));
    // Zooming out widens it.
    EXPECT_FALSE(IsFarOutsideView({100.0f + 3500.0f, 100.0f + 3500.0f}, camera, 3200.0f, 1.5f));
}

TEST_F(AudioEmittersTest, RequestsWaitInEditorMode)
{
    const Entity entity = world.AddEmitter(std::nullopt, true);
    world.EmitterOf(entity).mainSound.eventPath = laserEvent;
    world.ecs->systemStore.editorMode = true;
    world.Frame();
    EXPECT_TRUE(world.EmitterOf(entity).playOnStart);
    EXPECT_FALSE(audio.FindInstance(Key(laserEvent, entity)).IsValid());

    world.ecs->systemStore.editorMode = false;
    world.Frame();
    EXPECT_FALSE(world.EmitterOf(entity).playOnStart);
    EXPECT_EQ(world.State(Key(laserEvent, entity)), PlaybackState::Playing);
}

TEST_F(AudioEmittersTest, RemovingTheEmitterLeavesItsSoundPlaying)
{
    const Entity entity = world.AddEmitter();
    world.EmitterOf(entity).QueueSound({laserEvent});
    world.Frame();
    world.ecs->entityStore.DestroyEntity(entity);
    world.Frame();
    EXPECT_EQ(world.State(Key(laserEvent, entity)), PlaybackState::Playing);
}

} // namespace
} // namespace kesto
