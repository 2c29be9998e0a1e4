#pragma once

#include "animation/SpineSourceManager.h"
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "gameplay/BehaviorPlayer.h"
#include "graphics/ShaderManager.h"
#include "input/PCInputManager.h"
#include "levels/LevelManager.h"
#include "particles/ParticleTemplateManager.h"
#include "support/TestWorld.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace kesto::test
{

// Content read headless: sprites find their programs by name, though without a GL context none is ever built.
inline void NameSpriteShaders(TestWorld& world)
{
    ShaderManager& shaders = *world.registry.GetSystem<ShaderManager>();
    for (const char* name : {"Texture", "Emissive"})
    {
        shaders.shaders.emplace(name, std::make_unique<Shader>(name));
    }
}

// The game's own archetypes and levels, read by a headless test engine: Init then loads `firstLevel` (empty: the one
// default.txt names) in the first frame, with the game's particle templates and skeletons (without their pages).
// Art, sound and shaders stay unread.
inline void UseGameLevels(TestWorld& world, const std::string& firstLevel = "Proving Grounds")
{
    world.factory->folder = KESTO_TEST_DATA "/../../Assets/Data/Archetypes";
    world.registry.GetSystem<ParticleTemplateManager>()->folder = KESTO_TEST_DATA "/../../Assets/Data/Files/";
    world.registry.GetSystem<SpineSourceManager>()->folder = KESTO_TEST_DATA "/../../Assets/Art/Spine";
    LevelManager& levels = *world.registry.GetSystem<LevelManager>();
    levels.folder = KESTO_TEST_DATA "/../../Assets/Data/Levels/";
    levels.firstLevel = firstLevel;
    NameSpriteShaders(world);
}

// Where the player was after each substep, appended to the game's systems so it runs after all of them.
class SubstepRecorder : public ESystem
{
public:
    struct Sample
    {
        float time; // game time at the end of the substep
        Vec2 position;
        int state; // the player's active state
    };

    void Init() override {}
    void Update(EntityList&, float dt) override
    {
        time += dt;
        const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
        const auto* transform = store.GetComponent<Transform>(player);
        const auto* behavior = store.GetComponent<BehaviorPlayer>(player);
        if (transform && behavior)
        {
            samples.push_back({time, transform->GetTranslation(), behavior->stateMachine.activeState});
        }
    }

    Entity player = Entity::None();
    float time = 0.0f;
    std::vector<Sample> samples;
};

// How far above `fromY` the player rose in the recorded substeps.
inline float RiseAbove(const std::vector<SubstepRecorder::Sample>& samples, float fromY)
{
    float top = fromY;
    for (const auto& sample : samples)
    {
        top = std::max(top, sample.position.y);
    }
    return top - fromY;
}

// A key going down or up at a moment of game time.
struct KeyChange
{
    float time;
    int key;
    bool down;
};

// Runs a built engine frame after frame at a fixed frame rate, as a machine of that speed would: the clock advances
// by 1 / rate per frame and the frame loop clamps and scales it. Key changes go through the keyboard seam and are
// seen from the first frame that starts at or after their time, as a press between two frames is.
class FrameDriver
{
public:
    FrameDriver(TestWorld& testWorld, double framesPerSecond) : world(testWorld), frameTime(1.0 / framesPerSecond)
    {
        auto owned = std::make_unique<SubstepRecorder>();
        recorder = owned.get();
        world.Systems().AddSystem(std::move(owned), {}, {}, true, false, SystemRate::PerSubstep);
    }

    // After world.Init(): the first frame, which has no duration.
    void Start() { world.registry.StepFrame(now); }

    void Frame()
    {
        world.registry.StepFrame(now += frameTime);
        gameTime += world.Systems().Split().frameDt;
    }

    // Runs frames until `until` seconds of game time have passed, pumping in each change before the first frame
    // that starts at or after it. Returns the script as the game saw it: each change at the time it was seen.
    std::vector<KeyChange> Play(std::vector<KeyChange> script, float until)
    {
        const float from = gameTime;
        std::sort(script.begin(), script.end(), [](const KeyChange& a, const KeyChange& b) { return a.time < b.time; });
        std::size_t next = 0;
        // Sums of float steps land a hair off whole frames; a change that due is taken with that frame.
        constexpr float tolerance = 1e-4f;
        while (gameTime - from < until - tolerance)
        {
            bool changed = false;
            for (; next < script.size() && script[next].time <= gameTime - from + tolerance; ++next)
            {
                script[next].down ? world.keyboardMouse->Press(script[next].key)
                                  : world.keyboardMouse->Release(script[next].key);
                script[next].time = gameTime - from;
                changed = true;
            }
            if (changed)
            {
                // The events arrive with a pump at the frame boundary, as they would at the end of the last frame.
                world.registry.GetSystem<PCInputManager>()->Update(0.0f);
            }
            Frame();
        }
        return script;
    }

    TestWorld& world;
    double frameTime;
    double now = 1.0;
    float gameTime = 0.0f; // sum of the frame steps since Start
    SubstepRecorder* recorder = nullptr;
};

} // namespace kesto::test
