#include "gamepad/Gamepad.h"

#include "gamepad/GamepadMappingInternal.h"

#include <SDL.h>
#include <cstddef>
#include <limits>
#include <string>
#include <utility>

namespace kesto::gamepad
{
namespace
{

// XInput motors run until the next call; SDL wants a duration and caps this one to about a minute itself.
constexpr Uint32 rumbleUntilChanged = std::numeric_limits<Uint32>::max();

bool InitControllerSubsystem()
{
    // SDL must not take over SIGINT and SIGTERM: nothing here reads its quit events, so the game would not stop.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    return SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

// One reference on SDL's game controller subsystem; SDL counts them, so other users are not disturbed.
class ControllerSubsystem
{
public:
    ControllerSubsystem() : ready(InitControllerSubsystem())
    {
        if (ready)
        {
            // The pad is polled, never read through events; ignoring them keeps SDL's queue from filling up
            // when nobody drains it.
            SDL_JoystickEventState(SDL_IGNORE);
            SDL_GameControllerEventState(SDL_IGNORE);
        }
    }
    ~ControllerSubsystem()
    {
        if (ready)
        {
            SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        }
    }
    ControllerSubsystem(const ControllerSubsystem&) = delete;
    ControllerSubsystem& operator=(const ControllerSubsystem&) = delete;

    bool IsReady() const { return ready; }

private:
    bool ready;
};

struct ControllerCloser
{
    void operator()(SDL_GameController* controller) const { SDL_GameControllerClose(controller); }
};
using ControllerHandle = std::unique_ptr<SDL_GameController, ControllerCloser>;

SdlPadReading Read(SDL_GameController* controller)
{
    SdlPadReading reading;
    for (std::size_t i = 0; i < reading.buttons.size(); ++i)
    {
        const auto button = static_cast<SDL_GameControllerButton>(i);
        reading.buttons[i] = SDL_GameControllerGetButton(controller, button) != 0;
    }
    for (std::size_t i = 0; i < reading.axes.size(); ++i)
    {
        reading.axes[i] = SDL_GameControllerGetAxis(controller, static_cast<SDL_GameControllerAxis>(i));
    }
    return reading;
}

} // namespace

struct Gamepad::Impl
{
    GamepadReport report;
    // Declared before the controller so the controller is closed while the subsystem still runs.
    ControllerSubsystem subsystem;
    ControllerHandle controller;
    GamepadState last;
    bool openFailureReported = false;

    explicit Impl(GamepadReport owner) : report(std::move(owner))
    {
        if (!subsystem.IsReady())
        {
            Report(std::string("gamepad: SDL could not start its game controller subsystem (") + SDL_GetError() +
                   "); the pad reads as not connected");
        }
    }

    void Report(const std::string& message) const
    {
        if (report)
        {
            report(message);
        }
    }

    // Brings SDL's view of the devices up to date and returns the pad of user 0, or null when there is none.
    SDL_GameController* Refresh()
    {
        if (!subsystem.IsReady())
        {
            return nullptr;
        }
        SDL_GameControllerUpdate();
        if (controller && !SDL_GameControllerGetAttached(controller.get()))
        {
            controller.reset();
        }
        if (!controller)
        {
            controller = OpenFirst();
        }
        return controller.get();
    }

    ControllerHandle OpenFirst()
    {
        const int count = SDL_NumJoysticks();
        for (int index = 0; index < count; ++index)
        {
            if (!SDL_IsGameController(index))
            {
                continue;
            }
            ControllerHandle opened(SDL_GameControllerOpen(index));
            if (opened)
            {
                openFailureReported = false;
                return opened;
            }
            // Retried at every poll, so said only once until a pad opens again.
            if (!openFailureReported)
            {
                Report(std::string("gamepad: SDL could not open game controller ") + std::to_string(index) + " (" +
                       SDL_GetError() + ")");
                openFailureReported = true;
            }
        }
        return {};
    }
};

Gamepad::Gamepad(GamepadReport report) : impl(std::make_unique<Impl>(std::move(report))) {}

Gamepad::~Gamepad() = default;

GamepadResult Gamepad::GetState(GamepadState& state)
{
    SDL_GameController* controller = impl->Refresh();
    if (controller == nullptr)
    {
        state = {};
        return GamepadResult::DeviceNotConnected;
    }
    GamepadState fresh = StateFromSdl(Read(controller));
    StampPacket(fresh, impl->last);
    impl->last = fresh;
    state = fresh;
    return GamepadResult::Success;
}

GamepadResult Gamepad::SetState(const GamepadVibration& vibration)
{
    SDL_GameController* controller = impl->Refresh();
    if (controller == nullptr)
    {
        return GamepadResult::DeviceNotConnected;
    }
    const SdlRumble rumble = RumbleFromVibration(vibration);
    // A pad without motors refuses the rumble; XInput answers success for such a pad all the same.
    static_cast<void>(
        SDL_GameControllerRumble(controller, rumble.lowFrequency, rumble.highFrequency, rumbleUntilChanged));
    return GamepadResult::Success;
}

} // namespace kesto::gamepad
