#include "gameplay/BehaviorFlying.h"

#include <imgui.h>

namespace kesto
{

const FieldTable<BehaviorFlying>& BehaviorFlying::Fields()
{
    using F = BehaviorFlying;
    // "Atack Rate" and "Free radius" are how the level data spells them.
    static const FieldTable<BehaviorFlying> fields(
        {
            Field<&F::normalSpeed>("Normal Speed").Label("Normal Speed"),
            Field<&F::patrolPoints>("Patrol Points").Label("Number of points"),
            Field<&F::circleSpeed>("Circle Speed").Label("Circle Speed"),
            Field<&F::circleRadius>("Circle Radius").Label("Circle radius"),
            Field<&F::attackRate>("Atack Rate").Label("Attack Rate"),
            Field<&F::startLag>("Start Lag").Label("Start Lag"),
            Field<&F::attackSpeed>("Attack Speed").Label("Attack Speed"),
            Field<&F::detectionRadius>("Detection Radius").Section("Detection").Label("Detection Radius"),
            Field<&F::fleeRadius>("Free radius").Label("Flee Radius"),
            Field<&F::fleeSpeed>("Flee Speed").Label("Flee Speed"),
            Field<&F::attackAnimation>("attack").Section("Animation##1").Label("Attack Animation"),
            Field<&F::windupAnimation>("windup").Label("Wind-up Animation"),
            Field<&F::flyingAnimation>("flying").Label("Flying Animation"),
            Field<&F::defeatAnimation>("defeat").Label("Defeat Animation"),
        },
        Equality::Never);
    return fields;
}

bool BehaviorFlying::Inspect(SystemRegistry* registry)
{
    ImGui::RadioButton("Idle", &inspectorGroup, 0);
    ImGui::SameLine();
    ImGui::RadioButton("Patrol", &inspectorGroup, 1);
    ImGui::SameLine();
    ImGui::RadioButton("Cirlce/Attack", &inspectorGroup, 2);
    bool changed = false;
    switch (inspectorGroup)
    {
    case 0:
        changed = Fields().InspectOnly(*this, registry, {"Normal Speed"});
        break;
    case 1:
        changed = Fields().InspectOnly(*this, registry, {"Normal Speed", "Patrol Points"});
        break;
    default:
        changed = Fields().InspectOnly(*this, registry,
                                       {"Circle Speed", "Circle Radius", "Atack Rate", "Start Lag", "Attack Speed"});
        break;
    }
    return Fields().InspectOnly(
               *this, registry,
               {"Detection Radius", "Free radius", "Flee Speed", "attack", "windup", "flying", "defeat"}) ||
           changed;
}

// Keys keep the spellings the level files have always used ("Atack Rate", "Free radius").

} // namespace kesto
