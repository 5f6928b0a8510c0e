// The editor's dialog templates (resources/tgen/editor.rsc), compiled into the
// program as text so the editor works without a window toolkit.
#pragma once

#include "common/resource_script.h"

namespace kolibra::editor {

// Parsed once; a fault in the script is reported on stderr and what came
// before the faulty line is kept.
const ResourceSet& editor_templates();
// The template by name; a missing one is a fault of the build, reported on
// stderr before the program stops.
const DialogTemplate& editor_template(const char* name);

}  // namespace kolibra::editor
