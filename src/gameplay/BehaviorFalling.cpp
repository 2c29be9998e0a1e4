#include "gameplay/BehaviorFalling.h"

namespace kesto
{

const FieldTable<BehaviorFalling>& BehaviorFalling::Fields()
{
    static const FieldTable<BehaviorFalling> fields{
        Field<&BehaviorFalling::jiggleNoise>("JiggleNoise").Label("Shake Amount or Jiggle Noise").Drag(0.1f),
        Field<&BehaviorFalling::fallSpeed>("fallSpeed")
            .Label("Fall Speed")
            .Drag(0.1f)
            .OnEdit(&BehaviorFalling::MakeFallDownward),
        Field<&BehaviorFalling::timeTillRespawn>("TimeTillRespawn").Label("Time Till Resspawn").Drag(0.1f),
        Field<&BehaviorFalling::timeTillFall>("TimeTillFall").Label("Time Till Fall starts").Drag(0.1f),
    };
    return fields;
}

void BehaviorFalling::MakeFallDownward()
{
    if (fallSpeed > 0.0f)
    {
        fallSpeed = -fallSpeed;
    }
}

} // namespace kesto
