#include "audio/Audio.h"

#include "audio/SoundEmitter.h"
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/AssetPath.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "graphics/Camera.h"

#include <utility>

namespace kesto
{

namespace
{

using studio::Result;

constexpr const char* timeSlowEvent = "event:/SFX/Player/Time Slow";
constexpr const char* timeSlowParameter = "Time_Slow";
constexpr const char* pauseEvent = "event:/Music/Functionality/Pause_Menu";
constexpr const char* pauseParameter = "Pause_Menu";
// The studio project's build output, under the asset root.
constexpr const char* studioBuild = "Audio/FMOD_Project/ZW_FMOD_Project10.04/ZW_FMOD_Project/Build/";

// The game's audio system, if the registry has one.
const Audio* GameAudio(SystemRegistry* registry)
{
    const auto* ecs = registry ? registry->GetSystem<ECS>() : nullptr;
    return ecs ? ecs->systemStore.GetSystem<Audio>() : nullptr;
}

} // namespace

std::size_t Fnv1aHash::operator()(std::string_view key) const
{
    std::uint32_t hash = 0x811C9DC5u;
    for (const char c : key)
    {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

Audio::Audio() = default;

Audio::Audio(std::string_view assetRoot)
    : bankFolder(UnderAssetRoot(assetRoot, std::string(studioBuild) + "Desktop/")),
      guidListFile(UnderAssetRoot(assetRoot, std::string(studioBuild) + "GUIDs.txt"))
{
    for (const char* track : {"KestoOpeningCinematicD2(NoVox).mp3", "Ending_Cinematic.mp3"})
    {
        if (std::string path = UnderAssetRoot(assetRoot, std::string("Audio/Cinematics/") + track); !path.empty())
        {
            preloadedCinematics.push_back(std::move(path));
        }
    }
}

Audio::~Audio()
{
    if (!studioSystem)
    {
        return;
    }
    // The trace may already be gone; nothing said while shutting down matters.
    studioSystem->SetReportCallback(nullptr);
    for (auto& [key, instance] : instances)
    {
        Check(instance.Release());
    }
    for (auto& [path, sound] : cinematicSounds)
    {
        Check(sound.Release());
    }
    for (auto& [name, bank] : banks)
    {
        Check(bank.Unload());
    }
    Check(studioSystem->Release());
}

void Audio::Init()
{
    // Handles in the maps belong to the first studio system; a second one would orphan them.
    if (studioSystem)
    {
        return;
    }
    // Before anything decodes, so the banks' decoding logs through it too.
    libraryLog = std::make_unique<studio::LibraryLog>([this](std::string_view source, std::string_view message)
                                                      { TraceReport(registry, "FFMPEG", source, message); });
    if (Check(studio::StudioSystem::Create(&studioSystem, studio::headerVersion)) != Result::Ok)
    {
        Report("", "the studio system cannot be created; there is no sound");
        return;
    }
    studioSystem->SetReportCallback([this](std::string_view message) { Report("", message); });
    studio::InitDef def;
    def.maxChannels = maxChannels;
    def.output = output;
    def.randomSeed = randomSeed;
    Check(studioSystem->Initialize(def));
    Check(studioSystem->GetCoreSystem(&core));
    Check(ReadGuidList());
    // Default attributes: at the origin, facing into the screen, y up.
    Check(studioSystem->SetListenerAttributes(0, studio::Attributes3D{}));
    int channels = 0;
    if (core)
    {
        Check(core->GetSoftwareFormat(&sampleRate, &channels));
    }
    PreloadCinematics();
    libraryLog->Deliver();
}

void Audio::Update(EntityList& entities, float)
{
    if (libraryLog)
    {
        libraryLog->Deliver();
    }
    if (!studioSystem)
    {
        return;
    }
    UpdateTimeStates();
    ECS* ecs = registry->GetSystem<ECS>();
    if (!ecs->systemStore.editorMode)
    {
        for (Entity& entity : entities)
        {
            if (auto* emitter = ecs->entityStore.GetComponent<SoundEmitter>(entity))
            {
                ServiceEmitter(entity, *emitter, ecs->entityStore.GetComponent<Transform>(entity));
            }
        }
    }
    const Vec2 camera = registry->GetSystem<Camera>()->GetPosition();
    studio::Attributes3D listener;
    listener.position = {camera.x, camera.y, 0.0f};
    Check(studioSystem->SetListenerAttributes(0, listener));
    Check(studioSystem->Update());
}

void Audio::UpdateTimeStates()
{
    const float scale = registry->timeScale;
    // A time scale of 0 is the pause, not the slowest slow motion.
    const bool slowed = scale > 0.0f && scale < 1.0f;
    if (slowed)
    {
        if (timeSlowArmed)
        {
            PlayEvent(timeSlowEvent);
        }
        timeSlowArmed = false;
    }
    else
    {
        StopEvent(timeSlowEvent);
        timeSlowArmed = true;
    }
    SetGlobalParameter(timeSlowParameter, slowed ? 1.0f : 0.0f);

    const bool paused = scale == 0.0f;
    if (paused)
    {
        if (pauseArmed)
        {
            PlayEvent(pauseEvent);
        }
        pauseArmed = false;
    }
    else
    {
        StopEvent(pauseEvent);
        pauseArmed = true;
    }
    SetGlobalParameter(pauseParameter, paused ? 1.0f : 0.0f);
}

studio::EventInstance Audio::FindInstance(const std::string& key) const
{
    const auto found = instances.find(key);
    return found == instances.end() ? studio::EventInstance() : found->second;
}

studio::Bus Audio::FindBus(const std::string& path) const
{
    const auto found = buses.find(path);
    return found == buses.end() ? studio::Bus() : found->second;
}

Result Audio::Check(Result result)
{
    lastResult = result;
    return result;
}

void Audio::Report(std::string_view subject, std::string_view what) const
{
    TraceReport(registry, "AUDIO", subject, what);
}

std::vector<std::string> Audio::GlobalParameterNames() const
{
    std::vector<std::string> names;
    for (const std::string& path : parameterPaths)
    {
        const studio::ParameterDescription& description = parameters.at(path);
        if (studio::HasFlag(description.flags, studio::ParameterFlag::Global))
        {
            names.push_back(description.name);
        }
    }
    return names;
}

std::vector<std::string> AudioEventNames(SystemRegistry* registry)
{
    const Audio* audio = GameAudio(registry);
    return audio ? audio->EventPaths() : std::vector<std::string>();
}

std::vector<std::string> AudioGlobalParameterNames(SystemRegistry* registry)
{
    const Audio* audio = GameAudio(registry);
    return audio ? audio->GlobalParameterNames() : std::vector<std::string>();
}

} // namespace kesto
