#include "shell/gui/start_template.h"

#include "shell/gui/main_window.h"
#include "shell/document/template_commands.h"
#include "simulator/lcd_model.h"
#include "simulator/window/simulator_window.h"

namespace kolibra {

bool open_start_template(MainWindow& window, const std::string& path, Prompter& prompter) {
    if (!open_template_at(window.document(), path, prompter, true)) return false;
    window.simulator()->runtime().press_key(key::kRestart);
    return true;
}

}  // namespace kolibra
