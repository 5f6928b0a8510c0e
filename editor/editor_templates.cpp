#include "editor/editor_templates.h"

#include "resources/embedded_scripts.h"

#include <cstdio>
#include <cstdlib>

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
    const DialogTemplate* tmpl = editor_templates().dialog(name);
    if (!tmpl) {
        std::fprintf(stderr, "no dialog template named %s\n", name);
        std::abort();
    }
    return *tmpl;
}

}  // namespace kolibra::editor
