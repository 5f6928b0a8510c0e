#include "irfetch/irfetch_program.h"

#include "common/stderr_prompter.h"
#include "common/system_launcher.h"
#include "irfetch/irfetch_run.h"

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
    return run_irfetch_with(start, {.clock = clock, .prompter = prompter, .launcher = &launcher, .dialog = &dialog});
}

}  // namespace kolibra
