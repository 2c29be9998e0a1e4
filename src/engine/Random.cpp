#include "engine/Random.h"

#include <cfloat>
#include <cmath>
#include <ctime>

namespace kesto
{

void Random::Init() { Seed(static_cast<std::uint32_t>(std::time(nullptr))); }

float Random::RandomFloat(float min, float max)
{
    const std::uint32_t u = engine();
    // Scaling to the float just above max makes max itself reachable.
    const float hi = std::nextafter(max, FLT_MAX);
    return min + (static_cast<float>(u) / 4294967296.0f) * (hi - min);
}

void Random::Seed(std::uint32_t seed) { engine.seed(seed); }

} // namespace kesto
