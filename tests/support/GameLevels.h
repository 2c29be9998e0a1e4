#pragma once

#include "audio/Audio.h"
#include "ecs/Transform.h"
#include "gameplay/BehaviorPlayer.h"
#include "gameplay/BehaviorPlayerSystem.h"
#include "levels/LevelManager.h"
#include "physics/Rigidbody.h"
#include "support/FrameDriver.h"

#include <functional>
#include <sstream>
#include <string>

namespace kesto::test
{

// The game's own levels and archetypes, played headless frame by frame at 60 frames per second.
class GameLevels
{
public:
    GameLevels()
    {
        test::UseGameLevels(world);
        levels = world.registry.GetSystem<LevelManager>();
        // The game's sound project, so that its events and parameters are known (nothing is heard).
        const Audio game(KESTO_TEST_DATA "/../../Assets/");
        auto* audio = world.ecs->systemStore.GetSystem<Audio>();
        audio->bankFolder = game.bankFolder;
        audio->guidListFile = game.guidListFile;
        world.Init();
        Play(0.5f); // loads the first level; the player lands and settles
    }

    // Runs whole frames for `seconds` of game time, or until `done` holds.
    void Play(float seconds, const std::function<bool()>& done = {})
    {
        for (float t = 0.0f; t < seconds; t += frame)
        {
            now += frame;
            world.registry.StepFrame(now);
            if (done && done())
            {
                return;
            }
        }
    }

    Entity Player()
    {
        for (const Entity& entity : world.Store().GetEntities({ComponentType::BehaviorPlayer}))
        {
            return entity;
        }
        return Entity::None();
    }
    BehaviorPlayer& Behavior() { return *world.Store().GetComponent<BehaviorPlayer>(Player()); }
    Vec2 PlayerPosition() { return world.Store().GetComponent<Transform>(Player())->GetTranslation(); }

    // Puts the player down at `at`, at rest.
    void PlaceAt(Vec2 at)
    {
        world.Store().GetComponent<Transform>(Player())->SetTranslation(at);
        world.Store().GetComponent<Rigidbody>(Player())->velocity = {};
    }

    bool InState(PlayerState state) { return Behavior().stateMachine.activeState == static_cast<int>(state); }

    static constexpr float frame = 1.0f / 60.0f;
    TestWorld world;
    LevelManager* levels = nullptr;
    float now = 1.0f;
};

// The reports of a headless run, but for the art table it does not read.
inline std::string ReportsBeyondArt(const Trace& trace)
{
    std::istringstream lines(trace.Text());
    std::string kept;
    for (std::string line; std::getline(lines, line);)
    {
        if (line.find("is not in Art.json") == std::string::npos)
        {
            kept += line + "\n";
        }
    }
    return kept;
}

} // namespace kesto::test
