#include "studio/StudioSystem.h"

#include "studio/StudioSystemInternal.h"

#include <algorithm>
#include <utility>

namespace kesto::studio
{

Result StudioSystem::Create(std::unique_ptr<StudioSystem>* system, std::uint32_t version)
{
    if (system == nullptr)
    {
        return Result::InvalidParam;
    }
    if (version != headerVersion)
    {
        system->reset();
        return Result::HeaderMismatch;
    }
    *system = std::make_unique<StudioSystem>();
    return Result::Ok;
}

StudioSystem::StudioSystem() : state(std::make_unique<detail::StudioState>()) {}

StudioSystem::~StudioSystem() = default;

void StudioSystem::SetReportCallback(ReportCallback report) { state->SetReportCallback(std::move(report)); }

Result StudioSystem::Initialize(const InitDef& def) { return state->Initialize(def); }

Result StudioSystem::Update() { return state->Update(); }

Result StudioSystem::FlushSampleLoading() { return state->FlushSampleLoading(); }

Result StudioSystem::Release() { return state->Release(); }

Result StudioSystem::GetCoreSystem(CoreSystem** core)
{
    if (core == nullptr)
    {
        return Result::InvalidParam;
    }
    *core = &state->core;
    return Result::Ok;
}

Result StudioSystem::LoadBankFile(std::string_view path, std::uint32_t, Bank* bank)
{
    return state->LoadBank(path, bank);
}

Result StudioSystem::UnloadAll()
{
    if (!state->IsInitialized())
    {
        return Result::NotInitialized;
    }
    state->UnloadAll();
    return Result::Ok;
}

Result StudioSystem::GetEvent(std::string_view path, EventDescription* description)
{
    if (description == nullptr)
    {
        return Result::InvalidParam;
    }
    *description = EventDescription();
    if (!state->IsInitialized())
    {
        return Result::NotInitialized;
    }
    const std::optional<std::uint32_t> id = state->FindEventId(path);
    if (!id)
    {
        state->Report("event \"" + std::string(path) + "\" is not in any loaded bank");
        return Result::NotFound;
    }
    *description = state->MakeEvent(*id);
    return Result::Ok;
}

Result StudioSystem::GetBus(std::string_view path, Bus* bus)
{
    if (bus == nullptr)
    {
        return Result::InvalidParam;
    }
    *bus = Bus();
    if (!state->IsInitialized())
    {
        return Result::NotInitialized;
    }
    const std::optional<std::uint32_t> id = state->FindBusId(path);
    if (!id)
    {
        state->Report("bus \"" + std::string(path) + "\" is not in any loaded bank");
        return Result::NotFound;
    }
    *bus = state->MakeBus(*id);
    return Result::Ok;
}

Result StudioSystem::GetParameterDescriptionByName(std::string_view name, ParameterDescription* description)
{
    if (description == nullptr)
    {
        return Result::InvalidParam;
    }
    *description = ParameterDescription();
    if (!state->IsInitialized())
    {
        return Result::NotInitialized;
    }
    const detail::ParameterRecord* parameter = state->FindParameter(name);
    if (parameter == nullptr)
    {
        state->Report("parameter \"" + std::string(name) + "\" is not in any loaded bank");
        return Result::NotFound;
    }
    description->name = parameter->def.name;
    description->minimum = parameter->def.minimum;
    description->maximum = parameter->def.maximum;
    description->defaultValue = parameter->def.defaultValue;
    description->flags = parameter->def.global ? static_cast<std::uint32_t>(ParameterFlag::Global) : 0U;
    return Result::Ok;
}

Result StudioSystem::SetParameterByName(std::string_view name, float value, bool ignoreSeekSpeed)
{
    if (!state->IsInitialized())
    {
        return Result::NotInitialized;
    }
    detail::ParameterRecord* parameter = state->FindParameter(name);
    if (parameter == nullptr)
    {
        return Result::NotFound;
    }
    if (!parameter->def.global)
    {
        return Result::InvalidParam;
    }
    parameter->value.value = std::clamp(value, parameter->def.minimum, parameter->def.maximum);
    if (ignoreSeekSpeed)
    {
        parameter->value.current = parameter->value.value;
    }
    return Result::Ok;
}

Result StudioSystem::GetParameterByName(std::string_view name, float* value, float* finalValue)
{
    if (!state->IsInitialized())
    {
        return Result::NotInitialized;
    }
    const detail::ParameterRecord* parameter = state->FindParameter(name);
    if (parameter == nullptr)
    {
        return Result::NotFound;
    }
    if (!parameter->def.global)
    {
        return Result::InvalidParam;
    }
    if (value != nullptr)
    {
        *value = parameter->value.value;
    }
    if (finalValue != nullptr)
    {
        *finalValue = parameter->value.current;
    }
    return Result::Ok;
}

Result StudioSystem::SetListenerAttributes(int listener, const Attributes3D& attributes)
{
    if (!state->IsInitialized())
    {
        return Result::NotInitialized;
    }
    if (listener != 0)
    {
        return Result::InvalidParam;
    }
    state->listener = attributes;
    return Result::Ok;
}

Result StudioSystem::GetListenerAttributes(int listener, Attributes3D* attributes) const
{
    if (!state->IsInitialized())
    {
        return Result::NotInitialized;
    }
    if (listener != 0 || attributes == nullptr)
    {
        return Result::InvalidParam;
    }
    *attributes = state->listener;
    return Result::Ok;
}

} // namespace kesto::studio
