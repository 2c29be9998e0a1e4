#pragma once

#include "engine/ISystem.h"

#include <cstdint>
#include <random>

namespace kesto
{

// The one shared pseudo-random source; every random value in the game is drawn from it, in call order.
class Random : public ISystem
{
public:
    // Reseeds from the calendar time so every run draws a different sequence.
    void Init() override;
    void Update(float) override {}

    // Uniform in the closed range [min, max]; callers pass min <= max. Draws exactly one engine output.
    float RandomFloat(float min, float max);

    void Seed(std::uint32_t seed);

private:
    std::mt19937 engine{5489u};
};

} // namespace kesto
