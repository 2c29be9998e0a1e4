#include "FrameTiming.h"

#include "engine/SystemRegistry.h"
#include "levels/LevelManager.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <numeric>
#include <sstream>
#include <unistd.h>

namespace kesto::bench
{

namespace
{

// A "Vm..." line of /proc/self/status in megabytes.
double StatusMegabytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
    {
        if (line.rfind(key + ":", 0) == 0)
        {
            std::istringstream fields(line.substr(key.size() + 1));
            double kilobytes = 0.0;
            fields >> kilobytes;
            return kilobytes / 1024.0;
        }
    }
    return 0.0;
}

} // namespace

Figures Summarise(std::vector<double> times)
{
    Figures figures;
    if (times.empty())
    {
        return figures;
    }
    std::sort(times.begin(), times.end());
    figures.meanMs = std::accumulate(times.begin(), times.end(), 0.0) / static_cast<double>(times.size());
    figures.p95Ms = times[static_cast<std::size_t>(0.95 * static_cast<double>(times.size() - 1))];
    return figures;
}

void EmptyStage(SystemRegistry& registry)
{
    LevelManager& levels = *registry.GetSystem<LevelManager>();
    levels.UnloadLevel();
    levels.currentLevel.clear();
}

Figures Measure(SystemRegistry& registry, int frames, const std::function<void(int)>& beforeFrame)
{
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(frames));
    const double cpuStart = ProcessCpuMs();
    for (int i = 0; i < frames; ++i)
    {
        if (beforeFrame)
        {
            beforeFrame(i);
        }
        const auto start = std::chrono::steady_clock::now();
        registry.StepFrame(registry.lastTime + frameStep);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    Figures figures = Summarise(std::move(times));
    figures.cpuMs = (ProcessCpuMs() - cpuStart) / static_cast<double>(std::max(frames, 1));
    return figures;
}

void Print(const std::string& scene, const Figures& figures)
{
    std::printf("%-28s mean %7.2f ms   p95 %7.2f ms   cpu %7.2f ms/frame   (%.0f fps)\n", scene.c_str(), figures.meanMs,
                figures.p95Ms, figures.cpuMs, figures.meanMs > 0.0 ? 1000.0 / figures.meanMs : 0.0);
    std::fflush(stdout);
}

double ProcessCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

double ThreadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

double ResidentMegabytes() { return StatusMegabytes("VmRSS"); }

double PeakResidentMegabytes() { return StatusMegabytes("VmHWM"); }

double SecondsSinceLaunch()
{
    // Field 22 of /proc/self/stat is the start time in clock ticks after boot; the command name (field 2) may hold
    // spaces, so fields are counted after its closing parenthesis.
    std::ifstream statFile("/proc/self/stat");
    const std::string stat((std::istreambuf_iterator<char>(statFile)), std::istreambuf_iterator<char>());
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    for (int i = 3; i < 22 && fields >> field; ++i)
    {
    }
    unsigned long long startTicks = 0;
    fields >> startTicks;
    std::ifstream uptimeFile("/proc/uptime");
    double uptime = 0.0;
    uptimeFile >> uptime;
    return uptime - static_cast<double>(startTicks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

} // namespace kesto::bench
