// Keeping the windows painted while the program works: a transfer calls this
// between blocks, so the progress window and the count box repaint and
// nothing looks hung. Mouse and keyboard input that arrives meanwhile is
// dropped, as a transfer takes no input; a message box opened during the
// transfer runs its own loop and is answered as usual.
//
// Usage (between the waits of a transfer, e.g. from the clock the link waits on):
//   while (waiting_for_the_terminal) {
//       clock.pause(30);
//       kolibra::win32::pump_paint_messages();
//   }
#pragma once

namespace kolibra::win32 {

// Handles the messages waiting now (at most a bounded number) and returns.
void pump_paint_messages();

}  // namespace kolibra::win32
