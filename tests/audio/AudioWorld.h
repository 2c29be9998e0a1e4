#pragma once

#include "audio/Audio.h"
#include "audio/SoundEmitter.h"
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "graphics/Camera.h"
#include "support/TestWorld.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kesto::test
{

// A file of tests/data/audio.
inline std::string AudioData(const std::string& name) { return std::string(KESTO_TEST_DATA "/audio/") + name; }

inline float Rms(const std::vector<float>& samples)
{
    double sum = 0.0;
    for (const float sample : samples)
    {
        sum += static_cast<double>(sample) * sample;
    }
    return samples.empty() ? 0.0f : static_cast<float>(std::sqrt(sum / static_cast<double>(samples.size())));
}

// The headless engine whose `Audio` reads the test project of tests/data/audio and mixes only when a test pulls
// frames. A frame here is exactly one `Audio::Update`; no other system runs.
struct AudioWorld
{
    AudioWorld()
    {
        ecs = world.ecs;
        trace = world.trace;
        camera = world.registry.GetSystem<Camera>();
        audio = ecs->systemStore.GetSystem<Audio>();
        audio->randomSeed = 5;
        audio->bankFolder = AudioData("Desktop/");
        audio->guidListFile = AudioData("GUIDs.txt");
        audio->preloadedCinematics = {AudioData("Cinematics/clip.mp3")};
    }

    // Initialises the engine, the audio system among it.
    void Init() { world.Init(); }

    // One game frame: `frames` of sound mixed (as the output would while the frame ran), then the audio update.
    void Frame(int frames = 800)
    {
        Mix(frames);
        audio->Update(ecs->systemStore.GetEntityList<Audio>(), 1.0f / 60.0f);
    }

    std::vector<float> Mix(int frames)
    {
        std::vector<float> out(static_cast<std::size_t>(frames) * 2);
        EXPECT_EQ(audio->Core()->Mix(out.data(), frames), studio::Result::Ok);
        return out;
    }

    // Stopped when there is no instance for the key.
    studio::PlaybackState State(const std::string& key) const
    {
        studio::PlaybackState state = studio::PlaybackState::Stopped;
        audio->FindInstance(key).GetPlaybackState(&state);
        return state;
    }

    int InstanceCount(const std::string& path) const
    {
        studio::EventDescription description;
        EXPECT_EQ(audio->Studio()->GetEvent(path, &description), studio::Result::Ok);
        int count = -1;
        description.GetInstanceCount(&count);
        return count;
    }

    // An entity with an emitter (play on start cleared unless asked) and, when `at` is given, a transform there.
    Entity AddEmitter(std::optional<Vec2> at = std::nullopt, bool playOnStart = false)
    {
        const Entity entity("emitter");
        ecs->entityStore.AddComponent<SoundEmitter>(entity)->playOnStart = playOnStart;
        if (at)
        {
            ecs->entityStore.AddComponent<Transform>(entity)->SetTranslation(*at);
        }
        return entity;
    }

    SoundEmitter& EmitterOf(const Entity& entity) { return *ecs->entityStore.GetComponent<SoundEmitter>(entity); }
    Transform& TransformOf(const Entity& entity) { return *ecs->entityStore.GetComponent<Transform>(entity); }

    TestWorld world;
    SystemRegistry& registry = world.registry;
    Trace* trace = nullptr;
    Camera* camera = nullptr;
    ECS* ecs = nullptr;
    Audio* audio = nullptr;
};

// Event paths of the test project.
constexpr const char* jumpEvent = "event:/SFX/Player/Jump";          // one-shot, 0.1 s
constexpr const char* timeSlowEvent = "event:/SFX/Player/Time Slow"; // loop
constexpr const char* pauseEvent = "event:/Music/Functionality/Pause_Menu";
constexpr const char* stageEvent = "event:/Music/Stage";
constexpr const char* laserEvent = "event:/SFX/Environment/LASER_TRAP"; // positional loop with "Laser_OnOff"

inline bool IsPlaying(const studio::ChannelControl& channel)
{
    bool playing = false;
    channel.IsPlaying(&playing);
    return playing;
}

// An audio world whose engine is initialised before each test.
class AudioFixture : public ::testing::Test
{
protected:
    void SetUp() override { world.Init(); }

    AudioWorld world;
    Audio& audio = *world.audio;
};

// A scratch folder named after the running test, removed again at the end.
struct ScratchFolder
{
    ScratchFolder()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path = std::filesystem::temp_directory_path() /
               ("kesto_audio_" + std::string(info->test_suite_name()) + "_" + info->name());
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string File(const std::string& name) const { return (path / name).string(); }

    std::filesystem::path path;
};

} // namespace kesto::test
