#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kesto
{
class SystemRegistry;
}

namespace kesto::bench
{

// Game time of one measured frame: the harness steps the game by a fixed 1/60 s whatever a frame takes, so every
// run sees the same animation, physics and camera path.
constexpr float frameStep = 1.0f / 60.0f;
// The budget of a frame at 60 fps, in milliseconds.
constexpr double frameBudgetMs = 1000.0 / 60.0;

struct Figures
{
    double meanMs = 0.0;
    double p95Ms = 0.0;
    double cpuMs = 0.0; // processor time of every thread of the process (the software rasteriser's included)
};

// Mean and 95th percentile of wall times in milliseconds (0 for none).
Figures Summarise(std::vector<double> times);

// Runs `frames` frames of the whole engine, each stepped by frameStep after `beforeFrame(i)` (may be empty).
Figures Measure(SystemRegistry& registry, int frames, const std::function<void(int)>& beforeFrame = {});

void Print(const std::string& scene, const Figures& figures);

// Unloads the level and leaves none current, so no level's own systems run on into a scene (the splash's clock
// would load the main menu in the middle of a measurement).
void EmptyStage(SystemRegistry& registry);

double ProcessCpuMs();
// Processor time of the calling thread so far, in milliseconds.
double ThreadCpuMs();
// The process's resident set now and at its peak, in megabytes (VmRSS and VmHWM).
double ResidentMegabytes();
double PeakResidentMegabytes();
// Seconds since the process was started by the kernel (10 ms resolution).
double SecondsSinceLaunch();

} // namespace kesto::bench
