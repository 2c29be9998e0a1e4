#include "particles/ParticleTemplate.h"

namespace kesto
{

void ParticleTemplate::ComputeScaleRate()
{
    scaleRate = lifetime == 0.0f ? Vec2{1.0f, 1.0f} : (endScale - startScale) / lifetime;
}

} // namespace kesto
