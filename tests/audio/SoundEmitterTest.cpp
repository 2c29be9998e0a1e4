#include "audio/SoundEmitter.h"

#include "gameplay/Checkpoint.h"
#include "support/ComponentJson.h"

#include <gtest/gtest.h>
#include <string>

namespace kesto
{
namespace
{

TEST(SoundEmitter, StartsReadyToPlayItsEmptyMainSound)
{
    const SoundEmitter emitter;
    EXPECT_TRUE(emitter.playOnStart);
    EXPECT_EQ(emitter.mainSound.eventPath, "");
    EXPECT_FALSE(emitter.mainSound.positional);
    EXPECT_EQ(emitter.mainSound.parameterName, "");
    EXPECT_EQ(emitter.mainSound.parameterValue, 0.0f);
    EXPECT_FALSE(emitter.mainSound.started);
    EXPECT_TRUE(emitter.soundQueue.empty());
    EXPECT_TRUE(emitter.parameterQueue.empty());
    EXPECT_STREQ(emitter.TypeName(), "SoundEmitter");
    EXPECT_EQ(emitter.TypeIndex(), 6);
}

TEST(SoundEmitter, WritesItsThreeKeysInOrder)
{
    SoundEmitter emitter;
    emitter.mainSound = {"event:/SFX/Environment/LASER_TRAP", true, "Laser_OnOff", 0.4f};
    emitter.QueueSound({"event:/SFX/Player/Jump"});
    const std::string text = test::WriteJson(emitter);
    const std::size_t sound = text.find("\"Sound\": \"event:/SFX/Environment/LASER_TRAP\"");
    const std::size_t positional = text.find("\"Positional Audio\": true");
    const std::size_t parameter = text.find("\"Parameter Name\": \"Laser_OnOff\"");
    ASSERT_NE(sound, std::string::npos) << text;
    ASSERT_NE(positional, std::string::npos) << text;
    ASSERT_NE(parameter, std::string::npos) << text;
    EXPECT_LT(sound, positional);
    EXPECT_LT(positional, parameter);
    EXPECT_EQ(text.find("Jump"), std::string::npos) << "queues are not saved";

    const SoundEmitter read = test::RoundTrip(emitter);
    EXPECT_EQ(read.mainSound.eventPath, "event:/SFX/Environment/LASER_TRAP");
    EXPECT_TRUE(read.mainSound.positional);
    EXPECT_EQ(read.mainSound.parameterName, "Laser_OnOff");
    EXPECT_EQ(read.mainSound.parameterValue, 0.0f);
    EXPECT_TRUE(read.playOnStart);
    EXPECT_TRUE(read.soundQueue.empty());
}

TEST(SoundEmitter, MistypedAndMissingKeysKeepWhatWasThere)
{
    SoundEmitter emitter;
    emitter.mainSound = {"event:/SFX/Environment/CHECKPOINT", true, "Rise"};
    test::ReadJson(emitter, R"({"Sound": 5, "Positional Audio": "yes"})");
    EXPECT_EQ(emitter.mainSound.eventPath, "event:/SFX/Environment/CHECKPOINT");
    EXPECT_TRUE(emitter.mainSound.positional);
    EXPECT_EQ(emitter.mainSound.parameterName, "Rise");
}

TEST(SoundEmitter, EqualityComparesSoundAndPositionalOnly)
{
    SoundEmitter a;
    a.mainSound = {"event:/SFX/Player/Jump", false, "One"};
    SoundEmitter b = a;
    b.mainSound.parameterName = "Other";
    b.QueueSound({"event:/SFX/Player/Dash_Attack"});
    EXPECT_TRUE(a.Equals(b));
    b.mainSound.positional = true;
    EXPECT_FALSE(a.Equals(b));
    b = a;
    b.mainSound.eventPath = "event:/SFX/Player/Footsteps";
    EXPECT_TRUE(a.NotEquals(b));
    EXPECT_FALSE(a.Equals(Checkpoint{}));
}

TEST(SoundEmitter, CloneCopiesBothQueuesAndTheStartFlag)
{
    SoundEmitter emitter;
    emitter.playOnStart = false;
    emitter.QueueSound({"event:/SFX/Player/Jump", true});
    emitter.QueueParameter("event:/SFX/Environment/LASER_TRAP", "parameter:/Laser_OnOff", 0.4f);
    const auto clone = emitter.Clone();
    const auto& copy = static_cast<const SoundEmitter&>(*clone);
    EXPECT_FALSE(copy.playOnStart);
    ASSERT_EQ(copy.soundQueue.size(), 1u);
    EXPECT_EQ(copy.soundQueue[0].eventPath, "event:/SFX/Player/Jump");
    EXPECT_TRUE(copy.soundQueue[0].positional);
    ASSERT_EQ(copy.parameterQueue.size(), 1u);
    EXPECT_EQ(copy.parameterQueue[0].parameterName, "parameter:/Laser_OnOff");
    EXPECT_EQ(copy.parameterQueue[0].value, 0.4f);
}

TEST(SoundEmitter, QueueSoundAppendsEveryRequest)
{
    SoundEmitter emitter;
    emitter.QueueSound({"event:/SFX/Player/Jump"});
    emitter.QueueSound({"event:/SFX/Player/Jump"});
    ASSERT_EQ(emitter.soundQueue.size(), 2u);
    EXPECT_FALSE(emitter.soundQueue[1].started);
}

TEST(SoundEmitter, QueueSoundOnceAddsNothingWhenThePathIsQueued)
{
    SoundEmitter emitter;
    emitter.QueueSoundOnce({"event:/SFX/Environment/CHECKPOINT"});
    emitter.QueueSoundOnce({"event:/SFX/Environment/CHECKPOINT", true});
    ASSERT_EQ(emitter.soundQueue.size(), 1u);
    EXPECT_FALSE(emitter.soundQueue[0].positional);
    // Also when the queued one has started already.
    emitter.soundQueue[0].started = true;
    emitter.QueueSoundOnce({"event:/SFX/Environment/CHECKPOINT"});
    EXPECT_EQ(emitter.soundQueue.size(), 1u);
    emitter.QueueSoundOnce({"event:/SFX/Player/Player_Respawn"});
    EXPECT_EQ(emitter.soundQueue.size(), 2u);
}

TEST(SoundEmitter, QueueParameterAppends)
{
    SoundEmitter emitter;
    emitter.QueueParameter("event:/SFX/Environment/LASER_TRAP", "parameter:/Laser_OnOff", 0.0f);
    emitter.QueueParameter("event:/SFX/Environment/LASER_TRAP", "parameter:/Laser_OnOff", 0.4f);
    ASSERT_EQ(emitter.parameterQueue.size(), 2u);
    EXPECT_EQ(emitter.parameterQueue[1].eventPath, "event:/SFX/Environment/LASER_TRAP");
    EXPECT_EQ(emitter.parameterQueue[1].value, 0.4f);
}

} // namespace
} // namespace kesto
