#pragma once

#include "input/Replay.h"

#include <cstdint>

namespace kesto
{

class SystemRegistry;

// Both random sources from these seeds: the engine's Random and the C library's rand().
void SeedRandomSources(const SystemRegistry& registry, std::uint32_t randomSeed, std::uint32_t randSeed);

// The frame values and screen transition a run starts from, as they are now.
void CaptureStartState(const SystemRegistry& registry, ReplayStart& start);
// Puts them back, so a run played on a fresh engine starts where the recorded one did.
void RestoreStartState(SystemRegistry& registry, const ReplayStart& start);

} // namespace kesto
