#include "irfetch/irfetch_program.h"

#include "common/stderr_prompter.h"
#include "common/system_launcher.h"
#include "irfetch/irfetch_run.h"
#include "link/serial_port.h"

#include <cstdio>

namespace kolibra {

namespace {

class NoDialog : public IrfetchDialog {
public:
    bool edit(IrfetchSettings&) override {
        std::fprintf(stderr,
                     "irfetch: the settings dialog needs a display; give the data file on the\n"
                     "command line instead (see 'irfetch --help').\n");
        return false;
    }
};

}  // namespace

int run_irfetch_headless(const ToolStart& start) {
    StderrPrompter prompter;
    SystemLauncher launcher;
    NoDialog dialog;
    SteadyClock clock;
    std::unique_ptr<SerialPort> port = make_serial_port();
    IrfetchEnvironment env{*port, clock, prompter};
    env.launcher = &launcher;
    env.dialog = &dialog;
    env.program_folder = start.program_folder;
    env.ini_path = start.ini_path;
    return run_irfetch(start.command_line, env);
}

}  // namespace kolibra
