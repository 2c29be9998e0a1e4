#pragma once

namespace kesto
{

class SystemRegistry;

// An engine system: created, registered and initialised once, updated every frame, destroyed at exit.
class ISystem
{
public:
    virtual ~ISystem() = default;

    // Called once, after every system has been created and registered.
    virtual void Init() = 0;
    // Called once per frame with the frame's clamped and scaled step in seconds.
    virtual void Update(float dt) = 0;

    SystemRegistry* registry = nullptr; // set by SystemRegistry::Register; never owns
};

} // namespace kesto
