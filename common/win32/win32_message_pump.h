// Keeping the windows painted while the program works: a transfer calls this
// between blocks, so the progress window and the count box repaint and
// nothing looks hung. Mouse and keyboard input that arrives meanwhile is
// dropped, as a transfer takes no input, except for the windows marked with
// take_input_during_transfer (the Cancel buttons that stop it); a message
// box opened during the transfer runs its own loop and is answered as usual.
//
// Usage (between the waits of a transfer, e.g. from the clock the link waits on):
//   kolibra::win32::take_input_during_transfer(cancel_button);
//   while (waiting_for_the_terminal) {
//       clock.pause(30);
//       kolibra::win32::pump_paint_messages();
//   }
#pragma once

#include <windows.h>

namespace kolibra::win32 {

// Handles the messages waiting now (at most a bounded number) and returns.
void pump_paint_messages();

// Lets the mouse and keyboard input of `window` through pump_paint_messages.
void take_input_during_transfer(HWND window);

// Whether pump_paint_messages passes `message` on to its window.
bool passes_during_transfer(const MSG& message);

}  // namespace kolibra::win32
