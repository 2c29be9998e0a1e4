#include "gameplay/Laser.h"

#include <array>
#include <imgui.h>

namespace kesto
{

namespace
{

constexpr std::array<const char*, 4> directionNames = {"Up", "Down", "Left", "Right"};

} // namespace

const FieldTable<Laser>& Laser::Fields()
{
    // "Movment" is how the editor has always spelled it.
    static const FieldTable<Laser> fields(
        {
            Field<&Laser::speed>("Speed").Label("Movment Speed").Drag(0.1f),
            Field<&Laser::onOff>("OnOff").Label("Initial Laser On"),
            Field<&Laser::time>("Time").Label("Timer Pulse Time (On)").Drag(0.01f).OnChange(&Laser::RestartPulse),
            Field<&Laser::offTime>("OffTime").Label("Timer Pulse Time (Off)").Drag(0.01f),
            Field<&Laser::chargeTime>("ChargeTime").Label("Timer Charge Time").Drag(0.01f),
            Field<&Laser::delay>("Delay").Label("Timer Start Delay").Drag(0.01f),
            Field<&Laser::direction>("Direction").InspectWith(&Laser::InspectDirection),
            Field<&Laser::patrolPoints>("Patrol Points").Label("Number of Patrol Points").Drag(0.1f),
            Field<&Laser::patrolNumber>("PatrolNumber").Label("Patrol Trigger Number"),
            Field<&Laser::onOffNumber>("OnOffNumber").Label("On/Off Trigger Number"),
            Field<&Laser::timeNumber>("TimeNumber").Label("Timer Trigger Number"),
            Field<&Laser::patrolOn>("Patrol On Off").Label("Initial Patrol On"),
            Field<&Laser::timerOn>("Timer On Off").Label("Initial Timer On"),
        },
        Equality::Never);
    return fields;
}

void Laser::RestartPulse() { timer = time; }

bool Laser::InspectDirection(SystemRegistry*)
{
    ImGui::Checkbox("Raycast(soon(tm))", &showDirection);
    if (!showDirection)
    {
        return false;
    }
    int number = static_cast<int>(direction);
    if (!ImGui::Combo("Direction", &number, directionNames.data(), static_cast<int>(directionNames.size())))
    {
        return false;
    }
    direction = static_cast<LaserDirection>(number);
    return true;
}

} // namespace kesto
