#pragma once

#include "ecs/Component.h"
#include "engine/Vector.h"

#include <vector>

namespace kesto
{

// Which way a laser points in the editor; the number is the JSON form.
enum class LaserDirection : int
{
    Up = 0,
    Down = 1,
    Left = 2,
    Right = 3,
};

// A beam that pulses or patrols; switch triggers toggle its three behaviours by number.
class Laser : public ComponentOf<Laser, ComponentType::Laser>
{
public:
    static const FieldTable<Laser>& Fields();

    float speed = 0.0f;                              // patrol speed, units/s
    bool onOff = true;                               // switched on
    float time = 0.0f;                               // timer mode: seconds on
    float offTime = 0.0f;                            // timer mode: seconds off
    float chargeTime = 1.0f;                         // seconds from off to fully on
    float delay = 0.0f;                              // timer mode: seconds before the first pulse
    LaserDirection direction = LaserDirection::Left; // kept for the editor only
    std::vector<Vec2> patrolPoints;                  // world positions visited in order, then from the first again
    int patrolNumber = 0;                            // switch number that toggles patrolOn
    int onOffNumber = 0;                             // switch number that toggles onOff
    int timeNumber = 0;                              // switch number that toggles timerOn
    bool patrolOn = false;
    bool timerOn = false;

    int nextPatrolIndex = 0;
    float timer = 0.0f;  // >= 0 while on, counting down; < 0 while off, counting up
    float charge = 1.0f; // 0 off, 1 or more fully on
    bool offSoundSent = true;
    bool showDirection = false; // the inspector's "Raycast(soon(tm))" reveals the stored direction

private:
    // The pulse timer starts again from "Time" whenever it is read or edited.
    void RestartPulse();
    bool InspectDirection(SystemRegistry* registry);
};

} // namespace kesto
