#pragma once

#include "studio/Bank.h"
#include "studio/Bus.h"
#include "studio/CoreSystem.h"
#include "studio/CoreTypes.h"
#include "studio/EventDescription.h"
#include "studio/EventInstance.h"
#include "studio/Result.h"
#include "studio/StudioTypes.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace kesto::studio
{

namespace detail
{
class StudioState;
}

// The event system (FMOD Studio's System): banks from files, events, buses, parameters and the listener, over a
// CoreSystem that it owns. Not thread-safe: make every call of it, its core system and all handles from one
// thread; mixing runs on the output's own thread and never calls back. Handles stay usable until the object
// is destroyed; after Release they answer NotInitialized or InvalidHandle.
class StudioSystem
{
public:
    // Fails with HeaderMismatch when the caller was built against another version of this interface.
    static Result Create(std::unique_ptr<StudioSystem>* system, std::uint32_t version = headerVersion);

    StudioSystem();
    ~StudioSystem();
    StudioSystem(const StudioSystem&) = delete;
    StudioSystem& operator=(const StudioSystem&) = delete;

    // Where problems go (bad bank lines, missing sound files, unknown paths, the fall back to silent output);
    // may be empty. Set it before Initialize to hear about the output.
    void SetReportCallback(ReportCallback report);

    // Creates the mixer and opens the output (see OutputMode).
    Result Initialize(const InitDef& def);
    // Once per frame: moves parameters toward their values, turns Starting instances into Playing and finished
    // ones into Stopped or Sustaining, destroys released instances that stopped, applies parameter effects,
    // bus volumes and 3D placement to the mix, and drops ended channels.
    Result Update();
    // Waits until every sound file of the loaded banks is decoded; the failures are reported then (LoadBankFile
    // decodes in the background, and Update reports what failed so far).
    Result FlushSampleLoading();
    // Unloads every bank, closes the output and the mixer. The destructor does it too.
    Result Release();
    // The core system behind this one; it lives as long as this object.
    Result GetCoreSystem(CoreSystem** core);

    // Reads a bank file (see docs/AudioBanks.md). Bad lines are reported and left out; the rest loads. Its sound
    // files decode in the background: an event started before they are done waits for them, and files that cannot
    // be decoded are reported and left out by a later Update or FlushSampleLoading. FileNotFound when the file cannot
    // be opened, FileBad without the header, AlreadyLoaded (with the existing bank) for a second load of the same file.
    // flags are ignored.
    Result LoadBankFile(std::string_view path, std::uint32_t flags, Bank* bank);
    Result UnloadAll();

    // Lookups by path ("event:/SFX/Player/Jump", "bus:/Music"); NotFound, reported, for a path no loaded bank holds.
    Result GetEvent(std::string_view path, EventDescription* description);
    Result GetBus(std::string_view path, Bus* bus);
    // Global and local parameters, by name or "parameter:/" path; local ones lack ParameterFlag::Global.
    Result GetParameterDescriptionByName(std::string_view name, ParameterDescription* description);

    // Global parameters only (InvalidParam for a local one). The value is clamped to the parameter's range and,
    // unless ignoreSeekSpeed, reached at its seek speed over the following updates.
    Result SetParameterByName(std::string_view name, float value, bool ignoreSeekSpeed = false);
    // value: as last set; finalValue: reached so far.
    Result GetParameterByName(std::string_view name, float* value, float* finalValue = nullptr);

    // Only listener 0 exists (InvalidParam otherwise).
    Result SetListenerAttributes(int listener, const Attributes3D& attributes);
    Result GetListenerAttributes(int listener, Attributes3D* attributes) const;

private:
    std::unique_ptr<detail::StudioState> state;
};

} // namespace kesto::studio
