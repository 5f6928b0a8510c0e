#include "shell/qt/start_template.h"

#include "shell/qt/main_window.h"
#include "shell/document/template_commands.h"
#include "simulator/lcd_model.h"
#include "simulator/qt/simulator_window.h"

namespace kolibra {

bool open_start_template(MainWindow& window, const std::string& path, Prompter& prompter) {
    if (!open_template_at(window.document(), path, prompter, true)) return false;
    window.simulator()->runtime().press_key(key::kRestart);
    return true;
}

}  // namespace kolibra
