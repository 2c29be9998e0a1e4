#include "gameplay/BoidControllerComponent.h"

#include <array>
#include <imgui.h>

namespace kesto
{

namespace
{

// The modes by their state number, as the editor names them; "Unique" (-1) comes last.
constexpr std::array<const char*, 5> boidModeNames = {"Boid", "V-Formation", "Cyclone", "straight", "stop"};

} // namespace

const FieldTable<BoidControllerComponent>& BoidControllerComponent::Fields()
{
    using B = BoidControllerComponent;
    static const FieldTable<BoidControllerComponent> fields(
        {
            Field<&B::state>("state").InspectWith(&B::InspectState),
            Field<&B::attractRadius>("attractRadius").Label("attractRadius"),
            Field<&B::turnAway>("turnAway").Label("turnAway"),
            Field<&B::turnVector>("turnVector").Label("turnVector"),
            Field<&B::turnPosition>("turnPosition").Label("turnPosition"),
            Field<&B::minX>("minX").InspectWith(&B::InspectBox),
            Field<&B::maxX>("maxX"),
            Field<&B::minY>("minY"),
            Field<&B::maxY>("maxY"),
            Field<&B::turnMultiplier>("turn_mult").Label("TURN_MULTIPLIER"),
            Field<&B::vecMultiplier>("vec_mult").Label("VEC_MULTIPLIER"),
            Field<&B::speedDampener>("speed_damp").Label("SPEED_DAMPENER"),
            Field<&B::distanceBuffer>("dist_buff").Label("DISTANCE_BUFFER"),
            Field<&B::amplitude>("amp").Label("amplitude"),
            Field<&B::wavelength>("wave").Label("wavelength"),
            Field<&B::degree>("degree").Label("degree"),
        },
        Equality::Never);
    return fields;
}

bool BoidControllerComponent::Inspect(SystemRegistry* registry)
{
    const bool changed = Fields().Inspect(*this, registry);
    ImGui::Checkbox("Show Box", &showBox);
    return changed;
}

bool BoidControllerComponent::InspectState(SystemRegistry*)
{
    const int before = state;
    for (std::size_t i = 0; i < boidModeNames.size(); ++i)
    {
        ImGui::RadioButton(boidModeNames[i], &state, static_cast<int>(i));
        ImGui::SameLine();
    }
    ImGui::RadioButton("Unique", &state, -1);
    return state != before;
}

bool BoidControllerComponent::InspectBox(SystemRegistry*)
{
    std::array<float, 4> edges = {minX, maxX, minY, maxY};
    if (!ImGui::DragFloat4("Edge of level", edges.data()))
    {
        return false;
    }
    minX = edges[0];
    maxX = edges[1];
    minY = edges[2];
    maxY = edges[3];
    return true;
}

} // namespace kesto
