#pragma once

#include "ecs/ESystem.h"

#include <cstdint>
#include <unordered_set>

namespace kesto
{

class Laser;
struct LaserParts;

// Runs lasers: switches them on and off (charging up between), pulses them on their timers and moves them along
// their patrols. The kill is a trigger on the laser, which cannot touch anything while the collider is disabled.
class RaySystem : public ESystem
{
public:
    // Sets the audio global parameter "FinalLasers" to 0 (Audio initialises first).
    void Init() override;
    void Update(EntityList& entities, float dt) override;

    static constexpr const char* onSheet = "LaserN001";
    static constexpr const char* startupSheet = "LaserStartupN001";
    static constexpr const char* trapEvent = "event:/SFX/Environment/LASER_TRAP";
    static constexpr const char* finalLasersParameter = "FinalLasers";
    static constexpr const char* finalLevel = "Lab Breakout (The End Part 2)";

private:
    void TimerStep(LaserParts& p, float dt);
    void PatrolStep(LaserParts& p);
    void SetOn(LaserParts& p, bool on, float dt);
    void SwitchOff(LaserParts& p);
    void Charge(LaserParts& p, float dt);
    // The big lasers of the last level count up the music parameter "FinalLasers" as they come on.
    void CountFinalLaser(LaserParts& p);
    void ReportOnce(const Entity& entity, const char* what);

    std::unordered_set<std::uint32_t> reported;
};

} // namespace kesto
