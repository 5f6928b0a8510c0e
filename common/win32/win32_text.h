// Texts at the Win32 boundary. Dialog texts are bytes of code page 1252 (the
// terminal's texts, as the Qt face treats them as Latin-1); the program's
// other texts (messages, captions, file names) are UTF-8. Windows' wide calls
// take UTF-16 either way.
//
// Usage:
//   SetWindowTextW(edit, dialog_text_to_wide(state.text).c_str());   // a control's text
//   std::string typed = dialog_text_from_wide(window_text(edit));
//   MessageBoxW(owner, widen_utf8(message).c_str(), ...);            // common/names_win32.h
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kolibra::win32 {

std::wstring dialog_text_to_wide(std::string_view bytes);
std::string dialog_text_from_wide(std::wstring_view text);

// A window's whole text (GetWindowTextW without a length limit).
std::wstring window_text(HWND hwnd);

}  // namespace kolibra::win32
