#include "engine/SystemRegistry.h"

#include <algorithm>
#include <chrono>

namespace kesto
{

namespace
{

constexpr float maxFrameStep = 0.1f;

double SteadySeconds()
{
    using namespace std::chrono;
    static const steady_clock::time_point start = steady_clock::now();
    return duration<double>(steady_clock::now() - start).count();
}

} // namespace

MissingSystemError::MissingSystemError(const std::string& typeName)
    : std::out_of_range("GetSystem: no system of type " + typeName + " is registered (invalid unordered_map<K, T> key)")
{
}

DuplicateSystemError::DuplicateSystemError(std::string_view function, const std::string& typeName)
    : std::logic_error(std::string(function) + ": " + typeName +
                       " is already registered; each system type is registered once")
{
}

SystemRegistry::SystemRegistry() : frameClock(SteadySeconds) { systems.reserve(8); }

SystemRegistry::~SystemRegistry() { DestroyAll(); }

void SystemRegistry::Register(std::unique_ptr<ISystem> system)
{
    const std::type_index type = typeid(*system);
    if (systems.contains(type))
    {
        throw DuplicateSystemError("SystemRegistry::Register", type.name());
    }
    system->registry = this;
    systems.emplace(type, std::move(system));
    order.push_back(type);
}

ISystem* SystemRegistry::Find(std::type_index type) const
{
    const auto found = systems.find(type);
    if (found == systems.end())
    {
        throw MissingSystemError(type.name());
    }
    return found->second.get();
}

void SystemRegistry::InitAll()
{
    for (std::size_t i = 0; i < order.size(); ++i)
    {
        Find(order[i])->Init();
    }
}

void SystemRegistry::RunFrame() { StepFrame(frameClock()); }

void SystemRegistry::StepFrame(double now)
{
    const double previous = lastTime != 0.0 ? lastTime : now;
    lastTime = now;
    // The difference is taken in double; only the frame's own duration is small enough for a float.
    const auto raw = static_cast<float>(now - previous);
    rawDt = raw;

    // The clamp applies before the scale so a stall never yields more than 0.1 s of game time.
    float dt = std::min(raw, maxFrameStep) * timeScale;
    if (freezeTime > 0.0f)
    {
        freezeTime -= raw;
        dt = 0.0f;
    }

    for (std::size_t i = 0; i < order.size(); ++i)
    {
        Find(order[i])->Update(dt);
    }
}

void SystemRegistry::Run()
{
    while (running)
    {
        RunFrame();
    }
}

void SystemRegistry::DestroyAll()
{
    while (!order.empty())
    {
        const std::type_index type = order.back();
        // Erase before destroying so a destructor that looks up a dead system fails loudly.
        std::unique_ptr<ISystem> system = std::move(systems.at(type));
        systems.erase(type);
        order.pop_back();
        system.reset();
    }
}

void SystemRegistry::SetFrameClock(FrameClock clock) { frameClock = std::move(clock); }

} // namespace kesto
