#include "irfetch/irfetch_program.h"

#include "link/serial_port.h"

namespace kolibra {

int run_irfetch_with(const ToolStart& start, const IrfetchFace& face) {
    std::unique_ptr<SerialPort> port = make_serial_port();
    IrfetchEnvironment env{*port, face.clock, face.prompter};
    env.launcher = face.launcher;
    env.count_view = face.count_view;
    env.dialog = face.dialog;
    env.program_folder = start.program_folder;
    env.ini_path = start.ini_path;
    return run_irfetch(start.command_line, env);
}

}  // namespace kolibra
