// What the in-process tests of the Win32 face share: reading windows back
// (class, text, rectangle, dialog base units), the check of a dialog made
// from its template, and playing a user's steps into a modal loop.
#pragma once

#include "common/dialog/dialog_logic.h"
#include "common/win32/win32_dialog_binder.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kolibra::dialog {

std::wstring lower(std::wstring s);
std::wstring class_of(HWND hwnd);
std::wstring text_of(HWND hwnd);
std::wstring widen(const std::string& ascii);

// Dialog base units of a dialog's font, from the rule Windows states: the
// average width of the 52 letters, rounded, and the font's height.
SIZE base_units(HWND dialog);
RECT rect_in_dialog(HWND dialog, HWND control);
// The window class a control of this kind must have (lower case).
std::wstring expected_class(ControlKind kind);

// Checks one dialog made from its template: size, font, and each control's
// class, text and rectangle (a combo box's template height is its opened
// height, so only its closed box is compared as "no higher").
void expect_dialog_matches_template(const DialogTemplate& tmpl, Win32BoundDialog::Role role, HWND parent);

using Step = std::function<void(HWND)>;

// Calls `run`, which runs a modal loop, while `steps` are played from a
// timer, one every 50 ms, each on the active window while its caption is
// `caption` (not while a dialog it opened is up); a watchdog closes the
// active window after 5 s so a fault cannot hang the test. Returns true
// when the watchdog had to act. Calls nest: a step may start another loop.
bool play_steps(const std::wstring& caption, std::vector<Step> steps, const std::function<void()>& run);

// Runs `dialog` modally through a Win32DialogHost while `steps` are played.
int run_with_steps(DialogLogic& dialog, std::vector<Step> steps, HACCEL accelerators = nullptr,
                   bool* timed_out = nullptr, Win32DialogHost* shared_host = nullptr);

// Posts a key press and release to the focused window (else `dialog`).
void post_key(HWND dialog, UINT key);

}  // namespace kolibra::dialog
