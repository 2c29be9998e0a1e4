#pragma once

#include "engine/ISystem.h"

#include <string>
#include <vector>

namespace kesto
{

// The speed-run timer and its splits, driven by timer triggers; sprite texts show its readouts.
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
    // Stopped, at 0, with no splits: a run timed while editing does not count.
    void Clear()
    {
        Reset();
        running = false;
    }

    // The time a display shows, in seconds: 0 the running split (since the last split), 1 the total, 2 the first
    // split, k >= 3 the length of split k - 1 once it is recorded and the running split until then. With no splits
    // every display shows the total; a negative display shows the total too.
    float Readout(int display) const;
    // minutes:seconds.milliseconds, e.g. 83.5 s is "1:23.500"; minutes have no leading zeros. Times below zero or
    // not finite show as 0, and times are capped at 999999 minutes so the text stays short.
    static std::string FormatTime(float seconds);

    float time = 0.0f; // seconds
    bool running = false;
    std::vector<float> splits; // the time at each split, in order
};

} // namespace kesto
