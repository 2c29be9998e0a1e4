#pragma once

namespace kesto
{
class SystemRegistry;
}

namespace kesto::bench
{

// 20 emitters of 500 live particles (bursts of 50 every 0.1 s, each living 0.98 s) under four lights: the whole
// frame with and without them, and the particle update timed on its own with its allocations counted once every
// pool has grown to what it needs.
void ParticleScene(SystemRegistry& registry, int frames);

} // namespace kesto::bench
