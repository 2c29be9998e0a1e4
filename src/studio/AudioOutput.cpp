#include "studio/AudioOutput.h"

#include "studio/Mixer.h"

#include <SDL.h>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

namespace kesto::studio::detail
{
namespace
{

// Frames per SDL callback: about 21 ms at 48 kHz, small enough for game sounds, large enough not to starve.
constexpr Uint16 deviceFrames = 1024;

// An SDL audio device whose callback mixes straight into SDL's buffer.
class DeviceOutput final : public AudioOutput
{
public:
    explicit DeviceOutput(SDL_AudioDeviceID openDevice) : device(openDevice) { SDL_PauseAudioDevice(device, 0); }
    ~DeviceOutput() override
    {
        // Returns only once no callback is running, so the mixer is free to go afterwards.
        SDL_CloseAudioDevice(device);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    // Null with error set when SDL has no audio driver or no device.
    static std::unique_ptr<AudioOutput> TryOpen(Mixer& mixer, const std::string& driver, std::string& error)
    {
        if (!driver.empty())
        {
            SDL_SetHint(SDL_HINT_AUDIODRIVER, driver.c_str());
        }
        // SDL must not take over SIGINT and SIGTERM: nothing here reads its quit events.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        const bool ready = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        if (!driver.empty())
        {
            SDL_ResetHint(SDL_HINT_AUDIODRIVER);
        }
        if (!ready)
        {
            error = SDL_GetError();
            return nullptr;
        }
        SDL_AudioSpec wanted{};
        wanted.freq = mixer.SampleRate();
        wanted.format = AUDIO_F32SYS;
        wanted.channels = 2;
        wanted.samples = deviceFrames;
        wanted.callback = &Callback;
        wanted.userdata = &mixer;
        SDL_AudioSpec obtained{};
        // No changes allowed: SDL converts to whatever the device really wants.
        const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
        if (device == 0)
        {
            error = SDL_GetError();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return nullptr;
        }
        return std::make_unique<DeviceOutput>(device);
    }

private:
    static void SDLCALL Callback(void* mixer, Uint8* stream, int bytes)
    {
        static_cast<Mixer*>(mixer)->Render(reinterpret_cast<float*>(stream),
                                           bytes / static_cast<int>(2 * sizeof(float)));
    }

    SDL_AudioDeviceID device;
};

// Mixes as fast as real time passes and throws the result away, so fades and one-shots still end on time.
class SilentOutput final : public AudioOutput
{
public:
    explicit SilentOutput(Mixer& mixer) : thread([this, &mixer](std::stop_token stop) { Run(mixer, stop); }) {}

private:
    void Run(Mixer& mixer, std::stop_token stop)
    {
        using Clock = std::chrono::steady_clock;
        std::vector<float> scratch(2 * std::size_t{deviceFrames});
        const Clock::time_point start = Clock::now();
        std::uint64_t mixed = 0;
        std::mutex waitMutex;
        std::unique_lock lock(waitMutex);
        while (!stop.stop_requested())
        {
            wake.wait_for(lock, stop, std::chrono::milliseconds(10), [] { return false; });
            const std::chrono::duration<double> elapsed = Clock::now() - start;
            const auto due = static_cast<std::uint64_t>(elapsed.count() * mixer.SampleRate());
            while (mixed < due && !stop.stop_requested())
            {
                const auto frames = static_cast<int>(std::min<std::uint64_t>(due - mixed, deviceFrames));
                mixer.Render(scratch.data(), frames);
                mixed += static_cast<std::uint64_t>(frames);
            }
        }
    }

    std::condition_variable_any wake;
    // Last member: the thread starts once the rest exists and is joined before the rest goes.
    std::jthread thread;
};

} // namespace

std::unique_ptr<AudioOutput> AudioOutput::Open(Mixer& mixer, OutputMode mode, const std::string& driver,
                                               std::string& fallbackReason)
{
    fallbackReason.clear();
    switch (mode)
    {
    case OutputMode::NoOutput:
        return nullptr;
    case OutputMode::Silent:
        return std::make_unique<SilentOutput>(mixer);
    case OutputMode::Auto:
        break;
    }
    if (auto device = DeviceOutput::TryOpen(mixer, driver, fallbackReason))
    {
        return device;
    }
    if (fallbackReason.empty())
    {
        fallbackReason = "no audio device";
    }
    return std::make_unique<SilentOutput>(mixer);
}

} // namespace kesto::studio::detail
