#pragma once

#include "engine/ISystem.h"

#include <vector>

namespace kesto
{

// The speed-run timer and its splits, driven by timer triggers. Its readouts are not built yet.
class TimerSystem : public ISystem
{
public:
    void Init() override {}
    // Counts the step while running.
    void Update(float dt) override
    {
        if (running)
        {
            time += dt;
        }
    }

    void Start() { running = true; }
    // Appends the current time to the splits.
    void Split() { splits.push_back(time); }
    void Pause() { running = false; }
    // Back to 0 with no splits; a running timer keeps running.
    void Reset()
    {
        time = 0.0f;
        splits.clear();
    }

    float time = 0.0f; // seconds
    bool running = false;
    std::vector<float> splits; // the time at each split, in order
};

} // namespace kesto
