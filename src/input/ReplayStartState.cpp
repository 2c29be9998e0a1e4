#include "input/ReplayStartState.h"

#include "ecs/ECS.h"
#include "engine/Random.h"
#include "engine/SystemRegistry.h"
#include "graphics/RendererSystem.h"

#include <cstdlib>

namespace kesto
{

namespace
{

RendererSystem& Renderer(const SystemRegistry& registry)
{
    return *registry.GetSystem<ECS>()->systemStore.GetSystem<RendererSystem>();
}

} // namespace

void SeedRandomSources(const SystemRegistry& registry, std::uint32_t randomSeed, std::uint32_t randSeed)
{
    registry.GetSystem<Random>()->Seed(randomSeed);
    std::srand(randSeed);
}

void CaptureStartState(const SystemRegistry& registry, ReplayStart& start)
{
    start.timeScale = registry.timeScale;
    start.freezeTime = registry.freezeTime;
    const RendererSystem& renderer = Renderer(registry);
    start.fadingOut = renderer.fadingOut;
    start.transition = renderer.transition;
    start.transitionDuration = renderer.transitionDuration;
    start.transitionType = static_cast<int>(renderer.transitionType);
}

void RestoreStartState(SystemRegistry& registry, const ReplayStart& start)
{
    registry.timeScale = start.timeScale;
    registry.freezeTime = start.freezeTime;
    RendererSystem& renderer = Renderer(registry);
    renderer.fadingOut = start.fadingOut;
    renderer.transition = start.transition;
    renderer.transitionDuration = start.transitionDuration;
    renderer.transitionType = static_cast<ScreenTransition>(start.transitionType);
}

} // namespace kesto
