// Used when irfetch is built without its windows.
#include "irfetch/irfetch_program.h"

namespace kolibra {

int run_irfetch_program(const ToolStart& start) { return run_irfetch_headless(start); }

}  // namespace kolibra
