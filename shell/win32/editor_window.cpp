#include "shell/win32/editor_window.h"

#include "editor/win32/sheet_window.h"
#include "shell/win32/main_window.h"

namespace kolibra {

void open_editor_window(Win32MainWindow& window) {
    editor::SimulatorHooks hooks;
    hooks.set_utility_lines = [&window](int lines) { window.terminal().runtime().set_utility_lines(lines); };
    hooks.press_key = [&window](int code) { window.terminal().runtime().press_key(code); };
    editor::run_editor_window(window.hwnd(), window.document(), std::move(hooks));
}

}  // namespace kolibra
