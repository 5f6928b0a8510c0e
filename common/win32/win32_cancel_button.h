// The Cancel button of the transfer windows (the progress window, the count
// box, the waiting window): a click requests the transfer's stop and greys
// the button out, to show it was heard. It takes clicks while the transfer
// drops all other input (win32::take_input_during_transfer).
//
// Usage, in the window that holds it:
//   HWND cancel = make_cancel_button(hwnd, stop, x, y);
//   ... in its window procedure:
//   case WM_COMMAND: if (cancel_button_clicked(hwnd, wparam)) return 0;
#pragma once

#include "common/transfer_stop.h"

#include <windows.h>

namespace kolibra {

// The button's control number in its window.
constexpr int kCancelButtonId = 1010;

// The button's size in pixels.
constexpr int kCancelButtonWidth = 80;
constexpr int kCancelButtonHeight = 24;

// A "Cancel" push button at (x, y) in `parent` that requests `stop`.
HWND make_cancel_button(HWND parent, TransferStop* stop, int x, int y);

// For a WM_COMMAND of `parent`: true when it is the Cancel button's click,
// after the stop was requested and the button greyed out.
bool cancel_button_clicked(HWND parent, WPARAM wparam);

}  // namespace kolibra
