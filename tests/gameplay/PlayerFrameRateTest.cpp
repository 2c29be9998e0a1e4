#include "ecs/ArchetypeFactory.h"
#include "gameplay/BehaviorPlayerSystem.h"
#include "physics/Collider.h"
#include "support/FrameRateTable.h"

#include <GLFW/glfw3.h>
#include <cmath>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace kesto
{
namespace
{

using test::KeyChange;
using Samples = std::vector<test::SubstepRecorder::Sample>;

constexpr int dashState = static_cast<int>(PlayerState::Dash);

// The game's own player, from its archetype file, on a floor whose top is at y = 0, in the game's engine.
class RealPlayer
{
public:
    explicit RealPlayer(double framesPerSecond)
        : world(KESTO_TEST_DATA "/../../Assets/Data/Archetypes"), driver(world, framesPerSecond)
    {
        test::NameSpriteShaders(world);
        world.Init();
        const Entity floor("Floor");
        auto* transform = world.Store().AddComponent<Transform>(floor);
        transform->SetTranslation({0.0f, -100.0f});
        transform->SetScale({100000.0f, 200.0f});
        world.Store().AddComponent<Collider>(floor);
        player = world.factory->CreateFromArchetype("Player", true);
        driver.recorder->player = player;
        driver.Start();
        driver.Play({}, 0.5f); // lands and settles
        driver.recorder->samples.clear();
        start = world.Store().GetComponent<Transform>(player)->GetTranslation();
    }

    test::TestWorld world;
    test::FrameDriver driver;
    Entity player;
    Vec2 start;
};

// What one manoeuvre measures from the substeps it went through.
float Height(const Samples& samples, Vec2 start) { return test::RiseAbove(samples, start.y); }

// From where the dash started to where its last substep left the body.
float DashLength(const Samples& samples, Vec2 start)
{
    Vec2 from = start;
    Vec2 to = start;
    bool dashing = false;
    for (const auto& s : samples)
    {
        if (s.state == dashState)
        {
            dashing = true;
            to = s.position;
        }
        else if (!dashing)
        {
            from = s.position;
        }
    }
    return (to - from).Length();
}

float RunLength(const Samples& samples, Vec2 start)
{
    // Where the body was after one second of game time.
    for (const auto& s : samples)
    {
        if (s.time - samples.front().time >= 1.0f - 1e-4f)
        {
            return s.position.x - start.x;
        }
    }
    return 0.0f;
}

struct Manoeuvre
{
    const char* name;
    std::vector<KeyChange> script;
    float duration; // game seconds to play
    std::function<float(const Samples&, Vec2)> measure;
};

const std::vector<Manoeuvre>& Manoeuvres()
{
    static const std::vector<Manoeuvre> all = {
        {"full jump height", {{0.0f, GLFW_KEY_SPACE, true}}, 1.2f, Height},
        {"0.1 s tap jump height", {{0.0f, GLFW_KEY_SPACE, true}, {0.1f, GLFW_KEY_SPACE, false}}, 1.2f, Height},
        {"horizontal dash length", {{0.0f, GLFW_KEY_X, true}, {0.2f, GLFW_KEY_X, false}}, 0.8f, DashLength},
        {"diagonal dash length",
         {{0.0f, GLFW_KEY_RIGHT, true}, {0.0f, GLFW_KEY_UP, true}, {0.0f, GLFW_KEY_X, true}},
         0.8f,
         DashLength},
        {"1 s run length", {{0.0f, GLFW_KEY_RIGHT, true}}, 1.1f, RunLength},
    };
    return all;
}

test::RateResult Perform(const Manoeuvre& manoeuvre, double framesPerSecond, const std::vector<KeyChange>& script)
{
    RealPlayer run(framesPerSecond);
    test::RateResult result;
    result.seen = run.driver.Play(script, manoeuvre.duration);
    result.value = manoeuvre.measure(run.driver.recorder->samples, run.start);
    return result;
}

TEST(PlayerFrameRate, TheSameInputGivesTheSameJumpsDashesAndRunsAtEveryFrameRate)
{
    const std::vector<double> rates = {8.0, 16.0, 30.0, 60.0, 144.0, 240.0};
    constexpr int nameWidth = 24;
    std::string table = test::RateTableHeader(rates, nameWidth);
    for (const Manoeuvre& manoeuvre : Manoeuvres())
    {
        table += test::ExpectSameAtEveryRate(
            manoeuvre.name, nameWidth, rates, manoeuvre.script,
            [&manoeuvre](double rate, const std::vector<KeyChange>& script)
            { return Perform(manoeuvre, rate, script); },
            100.0f);
    }
    std::printf("%s", table.c_str());
}

} // namespace
} // namespace kesto
