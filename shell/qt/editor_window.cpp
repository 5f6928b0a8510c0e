#include "shell/qt/editor_window.h"

#include "editor/qt/sheet_window.h"
#include "shell/qt/main_window.h"
#include "simulator/qt/simulator_window.h"

namespace kolibra {

void open_editor_window(MainWindow& window) {
    editor::SimulatorHooks hooks;
    hooks.set_utility_lines = [&window](int lines) {
        window.simulator()->runtime().set_utility_lines(lines);
    };
    hooks.press_key = [&window](int code) { window.simulator()->runtime().press_key(code); };
    editor::run_editor_window(&window, window.document(), std::move(hooks));
}

}  // namespace kolibra
