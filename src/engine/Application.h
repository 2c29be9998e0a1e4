#pragma once

namespace kesto
{

class SystemRegistry;

// Creates and registers the nineteen engine systems in their fixed order.
void RegisterEngineSystems(SystemRegistry& registry);

// The whole program: register, initialise, run frames until told to stop, destroy in reverse order.
int RunApplication();

} // namespace kesto
