#include "dialog/YesNoDialog.h"

#include "dialog/YesNoBoxInternal.h"

#include <SDL.h>

namespace kesto::dialog
{

Answer AskYesNo(const std::string& caption, const std::string& text, const DialogReport& report)
{
    const YesNoBox box(caption, text);
    int buttonId = -1;
    // SDL shows message boxes without its video subsystem, so nothing is initialised here.
    if (SDL_ShowMessageBox(&box.Data(), &buttonId) != 0)
    {
        if (report)
        {
            report("dialog: could not show the \"" + caption + "\" box (" + SDL_GetError() + "); answering No");
        }
        return Answer::No;
    }
    return YesNoBox::AnswerFor(buttonId);
}

} // namespace kesto::dialog
