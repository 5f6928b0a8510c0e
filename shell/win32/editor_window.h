// The template editor opened from the main window on Windows: modal to the
// terminal window, and wired to its simulator, which the editor's OK restarts.
#pragma once

namespace kolibra {

class Win32MainWindow;

// Opens the editor on the window's document; returns when it has closed.
void open_editor_window(Win32MainWindow& window);

}  // namespace kolibra
