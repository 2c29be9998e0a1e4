#include "input/MasterInputManager.h"

#include "engine/AssetPath.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "input/ControllerInputManager.h"
#include "input/KeyBindingFile.h"
#include "input/KeyboardMouseCodes.h"
#include "input/PCInputManager.h"

#include <algorithm>

namespace kesto
{

namespace
{

void AddUnique(MasterInputManager::BindingMap& bindings, std::string_view action, int code)
{
    auto found = bindings.find(action);
    if (found == bindings.end())
    {
        found = bindings.emplace(std::string(action), std::vector<int>{}).first;
    }
    std::vector<int>& codes = found->second;
    if (std::find(codes.begin(), codes.end(), code) == codes.end())
    {
        codes.push_back(code);
    }
}

const std::vector<int>* Find(const MasterInputManager::BindingMap& bindings, std::string_view action)
{
    const auto found = bindings.find(action);
    return found == bindings.end() ? nullptr : &found->second;
}

} // namespace

MasterInputManager::MasterInputManager(std::string_view assetRoot)
    : bindingFolder(UnderAssetRoot(assetRoot, "Data/Files/"))
{
}

void MasterInputManager::Init()
{
    if (!bindingFolder.empty())
    {
        LoadKeyBindingFile(bindingFolder, *this, registry->GetSystem<Trace>());
    }
    keyboardMouse = registry->GetSystem<PCInputManager>();
    controller = registry->GetSystem<ControllerInputManager>();
}

void MasterInputManager::AddKeyBinding(std::string_view action, int code) { AddUnique(keyBindings, action, code); }

void MasterInputManager::AddButtonBinding(std::string_view action, int code)
{
    AddUnique(buttonBindings, action, code);
}

void MasterInputManager::AddButtonBinding(std::string_view action, ControllerCode code)
{
    AddButtonBinding(action, static_cast<int>(code));
}

bool MasterInputManager::IsActionHeld(std::string_view action)
{
    return Query(action, Edge::Held) != InputSource::None;
}

bool MasterInputManager::IsActionTriggered(std::string_view action)
{
    return Query(action, Edge::Triggered) != InputSource::None;
}

InputSource MasterInputManager::ActionTriggeredBy(std::string_view action) { return Query(action, Edge::Triggered); }

bool MasterInputManager::IsActionReleased(std::string_view action)
{
    return Query(action, Edge::Released) != InputSource::None;
}

bool MasterInputManager::IsControllerActive()
{
    if (!usingController)
    {
        usingController = controller->AnyControllerInput();
    }
    return usingController;
}

InputSource MasterInputManager::Query(std::string_view action, Edge edge)
{
    if (const std::vector<int>* codes = Find(keyBindings, action))
    {
        for (const int code : *codes)
        {
            if (PassesKeyboardMouse(code, edge))
            {
                usingController = false;
                return IsMouseButtonCode(code) ? InputSource::MouseButton : InputSource::Key;
            }
        }
    }
    if (const std::vector<int>* codes = Find(buttonBindings, action))
    {
        for (const int code : *codes)
        {
            if (PassesController(code, edge))
            {
                usingController = true;
                return InputSource::Controller;
            }
        }
    }
    return InputSource::None;
}

bool MasterInputManager::PassesKeyboardMouse(int code, Edge edge) const
{
    switch (edge)
    {
    case Edge::Held:
        return keyboardMouse->IsKeyDown(code);
    case Edge::Triggered:
        return keyboardMouse->IsKeyTriggered(code);
    case Edge::Released:
        return keyboardMouse->IsKeyReleased(code);
    }
    return false;
}

bool MasterInputManager::PassesController(int code, Edge edge) const
{
    switch (edge)
    {
    case Edge::Held:
        return controller->IsButtonDown(code);
    case Edge::Triggered:
        return controller->IsButtonDown(code) && !controller->WasButtonDown(code);
    case Edge::Released:
        return !controller->IsButtonDown(code) && controller->WasButtonDown(code);
    }
    return false;
}

} // namespace kesto
