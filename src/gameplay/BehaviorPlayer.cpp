#include "gameplay/BehaviorPlayer.h"

namespace kesto
{

BehaviorPlayer::BehaviorPlayer() { stateMachine.SetState(0); }

const FieldTable<BehaviorPlayer>& BehaviorPlayer::Fields()
{
    // The doubled "c" in the acceleration keys is how the level data spells them.
    using P = BehaviorPlayer;
    static const FieldTable<BehaviorPlayer> fields{
        Field<&P::runSpeed>("runSpeed").Section("Run").Label("Speed").Drag(0.1f),
        Field<&P::groundAcceleration>("groundAccceleration").Label("Ground Acceleration").Drag(0.1f),
        Field<&P::airAcceleration>("airAccceleration").Label("Air Acceleration").Drag(0.1f),
        Field<&P::groundDeceleration>("groundDeceleration").Label("Ground Deceleration").Drag(0.1f),
        Field<&P::airDeceleration>("airDeceleration").Label("Air Deceleration").Drag(0.1f),
        Field<&P::jumpHeight>("jumpHeight").Section("Jump").Label("Jump Height").Drag(0.01f),
        Field<&P::jumpReleaseScale>("jumpReleaseScale").Label("Jump Release Scale").Drag(0.01f),
        Field<&P::jumpTime>("jumpTime").Label("Jump Lenience Time").Drag(0.001f),
        Field<&P::fallScale>("fallScale").Label("Fall Scale").Drag(0.01f),
        Field<&P::terminalVelocity>("terminalVelocity").Label("Terminal Velocity").Drag(0.1f),
        Field<&P::landingVFXArchetype>("landingVFXArchetype").Label("Landing VFX Archetype"),
        Field<&P::doubleJumpVFXArchetype>("doubleJumpVFXArchetype").Label("Double Jump VFX Archetype"),
        Field<&P::dashSpeed>("dashSpeed").Section("Dash").Label("Speed").Drag(0.1f),
        Field<&P::dashTime>("dashTime").Label("Time").Drag(0.1f),
        Field<&P::dashMomentum>("dashMomentum").Label("Momentum").Slider(0.0f, 1.0f).Format("%.3f"),
        Field<&P::dashFrameFreeze>("dashFrameFreeze").Label("Frame Freeze").Drag(0.001f),
        Field<&P::compassDirArchetype>("compassDirArchetype").Label("Compass Direction Archetype"),
        Field<&P::compassMeterArchetype>("compassMeterArchetype").Label("Compass Meter Archetype"),
        Field<&P::compassDirDistance>("compassDirDistance").Label("Compass Direction Distance").Drag(0.1f).Range(0.0f),
        Field<&P::compassMeterDistance>("compassMeterDistance").Label("Compass Meter Distance").Drag(0.1f).Range(0.0f),
        Field<&P::compassOffset>("compassOffset").Label("Compass Offset").Drag(0.1f),
        Field<&P::cameraOffset>("cameraOffset").Section("Camera").Label("Initial Offset").Drag(0.1f),
        Field<&P::cameraSpeed>("cameraSpeed").Label("Speed").Drag(0.1f),
        Field<&P::cameraShakeAmountX>("cameraShakeAmountX").Label("Shake AmountX").Drag(0.001f).Range(0.0f),
        Field<&P::cameraShakeAmountY>("cameraShakeAmountY").Label("Shake AmountY").Drag(0.001f).Range(0.0f),
        Field<&P::cameraShakeDuration>("cameraShakeDuration").Label("Shake Duration").Drag(0.001f).Range(0.0f),
        Field<&P::timeSlowBarArchetype>("m_timeSlowBarArchetype").Section("Time Slow").Label("Time Slow Bar Archetype"),
        Field<&P::timeSlowScale>("timeSlowScale").Label("Scale").Drag(0.001f),
        Field<&P::timeSlowUseSpeed>("timeSlowUseSpeed").Label("Use Speed").Drag(0.001f),
        Field<&P::timeSlowRechargeSpeed>("timeSlowRechargeSpeed").Label("Recharge Speed").Drag(0.001f),
        Field<&P::timeSlowRechargeThreshold>("timeSlowRechargeThreshold").Label("Recharge Threshold").Drag(0.001f),
        Field<&P::deathDuration>("deathDuration")
            .Section("Death/Respawn")
            .Label("Death Duration")
            .Drag(0.001f)
            .Range(0.0f),
        Field<&P::respawnDuration>("respawnDuration").Label("Respawn Duration").Drag(0.001f).Range(0.0f),
    };
    return fields;
}

bool BehaviorPlayer::Equals(const Component& other) const
{
    const auto* player = dynamic_cast<const BehaviorPlayer*>(&other);
    return player && dashRecharged == player->dashRecharged && Fields().Equals(*this, *player);
}

} // namespace kesto
