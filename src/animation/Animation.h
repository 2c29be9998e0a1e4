#pragma once

#include "ecs/Component.h"

#include <vector>

namespace kesto
{

// Plays the cells of the sprite's sheet one after another. The timing comes from the sprite source each time
// playback starts. To switch animations: give the sprite another source, then call Restart().
class Animation : public ComponentOf<Animation, ComponentType::Animation>
{
public:
    static const FieldTable<Animation>& Fields();

    // Asks the next update to start from the first cell of the sprite's current source.
    void Restart();

    int frameCount = 0;         // cells in the animation (from the source)
    bool isLooping = false;     // from the source
    float frameDuration = 0.0f; // seconds per cell (from the source)
    bool playing = false;
    int frame = 0;                  // current cell; equals frameCount once a non-looping animation ended
    bool finished = true;           // true only for the update in which the last cell was passed
    float timer = 0.0f;             // seconds left on the current cell
    bool playOnStart = true;        // restart request, consumed by the next update
    std::vector<int> framesEntered; // cells entered during the last update, in order
    float speed = 1.0f;             // playback rate multiplier
    bool destroyOnFinish = false;   // destroy the entity when a non-looping animation ends (or a loop completes)
};

} // namespace kesto
