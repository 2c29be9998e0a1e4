#pragma once

#include "dialog/YesNoDialog.h"

#include <SDL.h>
#include <array>
#include <string>

namespace kesto::dialog
{

// The SDL description of a Yes/No box: warning icon, Yes left of No, Return on Yes and Escape on No.
// SDL's data points into this object, so it can be neither copied nor moved.
class YesNoBox
{
public:
    static constexpr int noButtonId = 0;
    static constexpr int yesButtonId = 1;

    YesNoBox(std::string boxCaption, std::string boxText);
    YesNoBox(const YesNoBox&) = delete;
    YesNoBox& operator=(const YesNoBox&) = delete;

    // Valid for as long as this object lives.
    const SDL_MessageBoxData& Data() const { return data; }

    // Only the Yes button answers Yes; No, and -1 for a box closed without a button, answer No.
    static Answer AnswerFor(int buttonId);

private:
    std::string caption;
    std::string text;
    std::array<SDL_MessageBoxButtonData, 2> buttons{};
    SDL_MessageBoxData data{};
};

} // namespace kesto::dialog
