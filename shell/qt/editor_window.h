// The template editor opened from the main window: modal to it, and wired to
// its simulator, which the editor's OK restarts.
#pragma once

namespace kolibra {

class MainWindow;

// Opens the editor on the window's document; returns when it has closed.
void open_editor_window(MainWindow& window);

}  // namespace kolibra
