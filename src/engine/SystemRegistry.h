#pragma once

#include "engine/ISystem.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <typeindex>
#include <unordered_map>
#include <vector>

namespace kesto
{

// Thrown when a system is looked up that was never registered (a programming error).
class MissingSystemError : public std::out_of_range
{
public:
    explicit MissingSystemError(const std::string& typeName);
};

// Thrown when a second system of a type is registered (a programming error): each system type has one instance.
class DuplicateSystemError : public std::logic_error
{
public:
    DuplicateSystemError(std::string_view function, const std::string& typeName);
};

// Owns every engine system, runs them in registration order and holds the few process-wide frame values.
class SystemRegistry
{
public:
    // Reads seconds from some monotonic source; the window replaces the default steady clock with GLFW's.
    using FrameClock = std::function<double()>;

    SystemRegistry();
    // Destroys the systems in reverse registration order.
    ~SystemRegistry();
    SystemRegistry(const SystemRegistry&) = delete;
    SystemRegistry& operator=(const SystemRegistry&) = delete;

    // Takes ownership; registering a second system of the same type is a programming error.
    void Register(std::unique_ptr<ISystem> system);

    template <typename T> T* GetSystem() const { return dynamic_cast<T*>(Find(typeid(T))); }

    // Calls Init on every system in registration order.
    void InitAll();
    // One frame with the time read from the frame clock.
    void RunFrame();
    // One frame as if the clock read `now` seconds; tests drive frames through this.
    void StepFrame(double now);
    // Runs frames until `running` is cleared.
    void Run();
    // Destroys every system, last registered first.
    void DestroyAll();

    void SetFrameClock(FrameClock clock);
    const FrameClock& GetFrameClock() const { return frameClock; }

    // The registered types in registration order, which is the order of Init and of every frame.
    const std::vector<std::type_index>& Order() const { return order; }

    bool running = true;
    // Clock reading of the previous frame; 0 means there was none. A double, so frame steps keep their precision
    // however long the game runs (a float is down to 2 ms steps after 4.5 hours).
    double lastTime = 0.0;
    float timeScale = 1.0f;  // multiplies every frame step; 0 while paused
    float freezeTime = 0.0f; // seconds of real time left in a frame freeze
    float rawDt = 0.0f;      // unclamped, unscaled duration of the current frame
    bool unsavedChanges = false;

private:
    ISystem* Find(std::type_index type) const;

    std::unordered_map<std::type_index, std::unique_ptr<ISystem>> systems;
    std::vector<std::type_index> order;
    FrameClock frameClock;
};

} // namespace kesto
