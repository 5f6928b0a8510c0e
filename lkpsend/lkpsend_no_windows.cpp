// Used when lkpsend is built without its windows.
#include "lkpsend/lkpsend_program.h"

namespace kolibra {

int run_lkpsend_program(const ToolStart& start) { return run_lkpsend_headless(start); }

}  // namespace kolibra
