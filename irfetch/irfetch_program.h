// Starting irfetch's run with what the platform offers: windows when there
// is a display (and the build has them), otherwise message boxes on stderr.
#pragma once

#include "common/tool_files.h"
#include "irfetch/irfetch_run.h"

namespace kolibra {

// Chooses windows or stderr and runs; returns the exit status.
int run_irfetch_program(const ToolStart& start);

// What a face gives the run: the clock the link waits on and the user's side.
struct IrfetchFace {
    Clock& clock;
    Prompter& prompter;
    Launcher* launcher = nullptr;
    ReceiveCountView* count_view = nullptr;
    IrfetchDialog* dialog = nullptr;
};

// The run on the system's serial port, with the program's folder and ini file.
int run_irfetch_with(const ToolStart& start, const IrfetchFace& face);

// The run without windows: boxes are printed as "Caption: text", questions
// take No, and a run that needs the settings dialog ends as cancelled.
int run_irfetch_headless(const ToolStart& start);

}  // namespace kolibra
