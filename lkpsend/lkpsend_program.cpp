#include "lkpsend/lkpsend_program.h"

#include "link/serial_port.h"

namespace kolibra {

int run_lkpsend_with(const ToolStart& start, const LkpsendFace& face) {
    std::unique_ptr<SerialPort> port = make_serial_port();
    LkpsendEnvironment env{*port, face.clock, face.prompter, face.progress};
    env.picker = face.picker;
    env.dialog = face.dialog;
    env.program_folder = start.program_folder;
    env.ini_path = start.ini_path;
    return run_lkpsend(start.command_line, env);
}

}  // namespace kolibra
