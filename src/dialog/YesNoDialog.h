#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kesto::dialog
{

// What the player chose in a Yes/No box.
enum class Answer
{
    Yes,
    No,
};

// Receives one line describing a failure of the layer; the owner decides where it goes.
using DialogReport = std::function<void(std::string_view message)>;

// Asks a Yes/No question in a message box with a warning icon and blocks until it is answered. Return picks Yes,
// Escape or closing the box picks No. The box has no parent window, so it holds the game by blocking the calling
// thread. When no box can be shown (no display) the answer is No, the one that loses nothing when the question is
// "quit with unsaved changes?", and report (which may be empty) receives one line saying why.
Answer AskYesNo(const std::string& caption, const std::string& text, const DialogReport& report);

} // namespace kesto::dialog
