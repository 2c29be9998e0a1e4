#include "dialog/YesNoBoxInternal.h"

#include <utility>

namespace kesto::dialog
{

YesNoBox::YesNoBox(std::string boxCaption, std::string boxText)
    : caption(std::move(boxCaption)), text(std::move(boxText))
{
    buttons[0] = SDL_MessageBoxButtonData{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, yesButtonId, "Yes"};
    buttons[1] = SDL_MessageBoxButtonData{SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, noButtonId, "No"};
    data.flags = SDL_MESSAGEBOX_WARNING | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
    data.window = nullptr;
    data.title = caption.c_str();
    data.message = text.c_str();
    data.numbuttons = static_cast<int>(buttons.size());
    data.buttons = buttons.data();
    data.colorScheme = nullptr;
}

Answer YesNoBox::AnswerFor(int buttonId) { return buttonId == yesButtonId ? Answer::Yes : Answer::No; }

} // namespace kesto::dialog
