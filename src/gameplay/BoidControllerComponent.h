#pragma once

#include "ecs/Component.h"

namespace kesto
{

// Spawns and steers a boid flock: its mode, steering constants and the box it lives in.
class BoidControllerComponent : public ComponentOf<BoidControllerComponent, ComponentType::BoidControllerComponent>
{
public:
    static const FieldTable<BoidControllerComponent>& Fields();
    // The described fields, then "Show Box".
    bool Inspect(SystemRegistry* registry) override;

    int state = -1;             // the boid mode forced on every boid; -1 keeps each boid's own
    float attractRadius = 0.0f; // neighbour radius, units
    float turnAway = 0.0f;      // separation strength
    float turnVector = 0.0f;    // alignment strength
    float turnPosition = 0.0f;  // cohesion strength
    // The box: a boid is outside when x < minX, x > maxX, y > minY or y < maxY (minY is the top edge).
    float minX = 0.0f;
    float maxX = 0.0f;
    float minY = 0.0f;
    float maxY = 0.0f;
    float turnMultiplier = 1.0f;  // extra factor for steering to a formation slot
    float vecMultiplier = 10.0f;  // extra factor for a follower's alignment
    float speedDampener = 0.75f;  // speed factor of a follower away from its slot
    float distanceBuffer = 25.0f; // radius around the slot that counts as in place
    float amplitude = 0.0025f;    // cyclone
    int wavelength = 100;         // cyclone
    float degree = 0.0f;          // kept for the editor; the flight ignores it
    bool showBox = false;         // the editor draws the box; not saved

private:
    // Radio buttons of the five modes and "Unique" (-1).
    bool InspectState(SystemRegistry* registry);
    // The four edges as one "Edge of level" drag.
    bool InspectBox(SystemRegistry* registry);
};

} // namespace kesto
