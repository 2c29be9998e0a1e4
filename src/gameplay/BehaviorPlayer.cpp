#include "gameplay/BehaviorPlayer.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

#include <array>
#include <utility>
#include <variant>

namespace kesto
{

namespace
{

using TunableMember = std::variant<float BehaviorPlayer::*, std::string BehaviorPlayer::*, Vec2 BehaviorPlayer::*>;

// Every tunable with its key, in written order; one table serves reading, writing and comparing.
// The doubled "c" in the acceleration keys is how the level data spells them.
const std::array<std::pair<const char*, TunableMember>, 33> tunables = {{
    {"runSpeed", &BehaviorPlayer::runSpeed},
    {"groundAccceleration", &BehaviorPlayer::groundAcceleration},
    {"airAccceleration", &BehaviorPlayer::airAcceleration},
    {"groundDeceleration", &BehaviorPlayer::groundDeceleration},
    {"airDeceleration", &BehaviorPlayer::airDeceleration},
    {"jumpHeight", &BehaviorPlayer::jumpHeight},
    {"jumpReleaseScale", &BehaviorPlayer::jumpReleaseScale},
    {"jumpTime", &BehaviorPlayer::jumpTime},
    {"fallScale", &BehaviorPlayer::fallScale},
    {"terminalVelocity", &BehaviorPlayer::terminalVelocity},
    {"landingVFXArchetype", &BehaviorPlayer::landingVFXArchetype},
    {"doubleJumpVFXArchetype", &BehaviorPlayer::doubleJumpVFXArchetype},
    {"dashSpeed", &BehaviorPlayer::dashSpeed},
    {"dashTime", &BehaviorPlayer::dashTime},
    {"dashMomentum", &BehaviorPlayer::dashMomentum},
    {"dashFrameFreeze", &BehaviorPlayer::dashFrameFreeze},
    {"compassDirArchetype", &BehaviorPlayer::compassDirArchetype},
    {"compassMeterArchetype", &BehaviorPlayer::compassMeterArchetype},
    {"compassDirDistance", &BehaviorPlayer::compassDirDistance},
    {"compassMeterDistance", &BehaviorPlayer::compassMeterDistance},
    {"compassOffset", &BehaviorPlayer::compassOffset},
    {"cameraOffset", &BehaviorPlayer::cameraOffset},
    {"cameraSpeed", &BehaviorPlayer::cameraSpeed},
    {"cameraShakeAmountX", &BehaviorPlayer::cameraShakeAmountX},
    {"cameraShakeAmountY", &BehaviorPlayer::cameraShakeAmountY},
    {"cameraShakeDuration", &BehaviorPlayer::cameraShakeDuration},
    {"m_timeSlowBarArchetype", &BehaviorPlayer::timeSlowBarArchetype},
    {"timeSlowScale", &BehaviorPlayer::timeSlowScale},
    {"timeSlowUseSpeed", &BehaviorPlayer::timeSlowUseSpeed},
    {"timeSlowRechargeSpeed", &BehaviorPlayer::timeSlowRechargeSpeed},
    {"timeSlowRechargeThreshold", &BehaviorPlayer::timeSlowRechargeThreshold},
    {"deathDuration", &BehaviorPlayer::deathDuration},
    {"respawnDuration", &BehaviorPlayer::respawnDuration},
}};

void WriteValue(JsonWriter& writer, const char* key, float value) { writer.WriteFloat(key, value); }

void WriteValue(JsonWriter& writer, const char* key, const std::string& value) { writer.WriteString(key, value); }

void WriteValue(JsonWriter& writer, const char* key, Vec2 value) { writer.WriteVec2(key, value); }

void ReadValue(JsonReader& reader, const char* key, float& value) { reader.TryReadFloat(key, value); }

void ReadValue(JsonReader& reader, const char* key, std::string& value) { reader.TryReadString(key, value); }

void ReadValue(JsonReader& reader, const char* key, Vec2& value) { reader.TryReadVec2(key, value); }

} // namespace

BehaviorPlayer::BehaviorPlayer() { stateMachine.SetState(0); }

void BehaviorPlayer::Write(JsonWriter& writer) const
{
    for (const auto& [key, member] : tunables)
    {
        std::visit([&](auto field) { WriteValue(writer, key, this->*field); }, member);
    }
}

void BehaviorPlayer::Read(JsonReader& reader, SystemRegistry*)
{
    for (const auto& [key, member] : tunables)
    {
        std::visit([&](auto field) { ReadValue(reader, key, this->*field); }, member);
    }
}

bool BehaviorPlayer::Equals(const Component& other) const
{
    const auto& o = static_cast<const BehaviorPlayer&>(other);
    bool same = dashRecharged == o.dashRecharged;
    for (const auto& entry : tunables)
    {
        std::visit([&](auto field) { same = same && this->*field == o.*field; }, entry.second);
    }
    return same;
}

} // namespace kesto
