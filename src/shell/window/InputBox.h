#pragma once
// A modal input box: a prompt, an edit field holding a proposed text, OK and Cancel.
#include <windows.h>

#include <string>

// The text the user confirmed with OK; an empty text when the user cancels.
std::string ShowInputBox(HWND owner, HFONT font, int dpi, const std::string& prompt,
                         const std::string& title, const std::string& proposed);
