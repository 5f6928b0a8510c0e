// tgen's resource script (dialog templates, menu, accelerators, strings) read
// without the window toolkit, for the code that needs its strings or
// templates headless.
#pragma once

#include "common/resource_script.h"

namespace kolibra {

// Parsed once from the compiled-in script; a fault is reported on stderr and
// the set keeps what was complete before it.
const ResourceSet& tgen_resources();

}  // namespace kolibra
