#include "gamepad/Gamepad.h"

#include "gamepad/GamepadMappingInternal.h"

#include <SDL.h>
#include <array>
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
            // The pad is polled, and its events tell what happened between two polls: a button pressed and
            // released in between is in no reading. Controller events are made from joystick events, so both
            // are on; every poll drains them.
            SDL_JoystickEventState(SDL_ENABLE);
            SDL_GameControllerEventState(SDL_ENABLE);
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

// Takes every joystick and controller event out of SDL's queue and keeps in `presses` what the pad `which`
// pressed; events of other pads are dropped with the rest.
void DrainPadEvents(SDL_JoystickID which, SdlPadPresses& presses)
{
    std::array<SDL_Event, 64> events;
    int count = 0;
    while ((count = SDL_PeepEvents(events.data(), static_cast<int>(events.size()), SDL_GETEVENT, SDL_JOYAXISMOTION,
                                   SDL_FINGERDOWN - 1)) > 0)
    {
        for (int i = 0; i < count; ++i)
        {
            const SDL_Event& event = events[static_cast<std::size_t>(i)];
            if (event.type == SDL_CONTROLLERBUTTONDOWN && event.cbutton.which == which)
            {
                NotePress(presses, static_cast<SDL_GameControllerButton>(event.cbutton.button));
            }
            else if (event.type == SDL_CONTROLLERAXISMOTION && event.caxis.which == which)
            {
                NoteAxis(presses, static_cast<SDL_GameControllerAxis>(event.caxis.axis), event.caxis.value);
            }
        }
    }
}

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
    SdlPadPresses presses; // since the last reading
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
    // What that pad pressed since the last refresh is added to `presses`.
    SDL_GameController* Refresh()
    {
        if (!subsystem.IsReady())
        {
            return nullptr;
        }
        SDL_GameControllerUpdate();
        const SDL_JoystickID which =
            controller ? SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller.get())) : -1;
        DrainPadEvents(which, presses);
        if (controller && !SDL_GameControllerGetAttached(controller.get()))
        {
            controller.reset();
        }
        if (!controller)
        {
            presses = {};
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
    GamepadState fresh = StateFromSdl(WithPresses(Read(controller), impl->presses));
    impl->presses = {};
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
