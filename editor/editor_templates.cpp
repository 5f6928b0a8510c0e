#include "editor/editor_templates.h"

#include "resources/embedded_scripts.h"

#include <cstdio>

namespace kolibra::editor {

const ResourceSet& editor_templates() {
    static const ResourceSet set = [] {
        ResourceSet parsed;
        std::string error;
        if (!parse_resource_script(editor_resource_script(), parsed, error))
            std::fprintf(stderr, "editor.rsc: %s\n", error.c_str());
        error.clear();
        if (!parse_resource_script(editor_pages_resource_script(), parsed, error))
            std::fprintf(stderr, "editor_pages.rsc: %s\n", error.c_str());
        return parsed;
    }();
    return set;
}

const DialogTemplate& editor_template(const char* name) {
    return required_dialog(editor_templates(), name);
}

}  // namespace kolibra::editor
