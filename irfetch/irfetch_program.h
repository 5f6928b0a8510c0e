// Starting irfetch's run with what the platform offers: windows when there
// is a display (and the build has them), otherwise message boxes on stderr.
#pragma once

#include "common/tool_files.h"

namespace kolibra {

// Chooses windows or stderr and runs; returns the exit status.
int run_irfetch_program(const ToolStart& start);

// The run without windows: boxes are printed as "Caption: text", questions
// take No, and a run that needs the settings dialog ends as cancelled.
int run_irfetch_headless(const ToolStart& start);

}  // namespace kolibra
