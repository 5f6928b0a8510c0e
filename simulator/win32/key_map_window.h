// The picture of the PC keyboard on the terminal, opened by F1: a small
// window beside the terminal window listing which PC keys press which
// terminal keys (keyboard_mapping_lines()) in a fixed-pitch font, so the
// columns line up. There is one such window: F1 again brings it to the
// front; Escape, Enter or its close box close it.
//
// Usage (the terminal window):
//   KeyMapWindow key_map;           // a member, destroyed with the terminal
//   key_map.show(terminal_hwnd);    // on F1
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kolibra {

constexpr wchar_t kKeyMapTitle[] = L"PC keyboard on the terminal";

class KeyMapWindow {
public:
    KeyMapWindow() = default;
    ~KeyMapWindow();
    KeyMapWindow(const KeyMapWindow&) = delete;
    KeyMapWindow& operator=(const KeyMapWindow&) = delete;

    // Opens the window beside `terminal` (or brings it to the front) and
    // gives it the keyboard. False when Windows refused the window.
    bool show(HWND terminal);
    // The window while it is open, else nullptr.
    HWND hwnd() const { return hwnd_; }
    // The font the lines are drawn in (fixed pitch).
    HFONT font() const { return font_; }

private:
    static LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    void paint();
    SIZE text_size();

    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    bool own_font_ = false;
    std::vector<std::wstring> lines_;
};

}  // namespace kolibra
